#include "FrmReportGl.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "DataDm.h"
#include "Report.h"
#include "ReportCommands.h"
#include "ReportTemplates.h"

TFrmReportGl::TFrmReportGl(TdmData& dm, Report& report, ReportSource trainees, QWidget* parent)
    : QDialog(parent), dm_(dm), report_(report), trainees_(std::move(trainees)) {
    setObjectName(QStringLiteral("TFrmReportGl"));
    setWindowTitle(QStringLiteral("报表管理器"));
    resize(360, 300);

    auto* note = new QLabel(QStringLiteral("要设计或预览报表，请先在列表框中选中后再操作"), this);
    note->setObjectName(QStringLiteral("lblNote"));
    note->setWordWrap(true);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstReports"));
    auto* detail = new QListWidgetItem(QStringLiteral("当前学员详细报表"), list_);
    detail->setData(Qt::UserRole, ReportTemplates::traineeDetail);
    auto* listReport = new QListWidgetItem(QStringLiteral("当前学员统计列表"), list_);
    listReport->setData(Qt::UserRole, ReportTemplates::traineeList);

    const auto addButton = [this](const QString& name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* designButton = addButton(QStringLiteral("btnDesign"), QStringLiteral("设计"));
    QPushButton* previewButton = addButton(QStringLiteral("btnPreview"), QStringLiteral("预览"));
    QPushButton* closeButton = addButton(QStringLiteral("btnClose"), QStringLiteral("关闭"));
    connect(designButton, &QPushButton::clicked, this, &TFrmReportGl::design);
    connect(previewButton, &QPushButton::clicked, this, &TFrmReportGl::preview);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(designButton);
    buttons->addWidget(previewButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
}

bool TFrmReportGl::prepare() {
    if (trainees_.isEmpty()) return false;
    if (QListWidgetItem* item = list_->currentItem(); item && item->isSelected())
        report_.loadFromFile(Report::templatePath(dm_.home(), item->data(Qt::UserRole).toString()));
    ReportCommands::bindMainSources(dm_, report_, trainees_);
    return true;
}

void TFrmReportGl::design() {
    if (prepare()) ReportCommands::showDesigner(dm_, report_, this);
}

void TFrmReportGl::preview() {
    if (prepare()) ReportCommands::showPreview(dm_, report_, this);
}
