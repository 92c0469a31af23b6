#include "FrmReportDesign.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "FrmReportPreview.h"
#include "MessageService.h"
#include "Report.h"
#include "ReportDocument.h"
#include "ReportHighlighter.h"

namespace {

// The live view follows every pause in typing, so a long list shows only its first rows there.
constexpr int kLivePreviewRows = 100;

QTreeWidgetItem* addGroup(QTreeWidget* tree, const QString& caption, const QString& insert = {}) {
    auto* item = new QTreeWidgetItem(tree, {caption});
    item->setData(0, Qt::UserRole, insert);
    item->setExpanded(true);
    return item;
}

void addEntry(QTreeWidgetItem* group, const QString& caption, const QString& insert) {
    auto* item = new QTreeWidgetItem(group, {caption});
    item->setData(0, Qt::UserRole, insert);
}

QPushButton* button(const QString& objectName, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TfrmReportDesign::TfrmReportDesign(Report& report, QString templateDir, QWidget* parent)
    : QDialog(parent), report_(report), templateDir_(std::move(templateDir)) {
    setObjectName(QStringLiteral("TfrmReportDesign"));
    resize(1100, 700);

    source_ = new QPlainTextEdit(this);
    source_->setObjectName(QStringLiteral("edtSource"));
    source_->setLineWrapMode(QPlainTextEdit::NoWrap);
    source_->setFont(QFont(QStringLiteral("Monospace"), 10));
    new ReportHighlighter(source_->document());

    fields_ = new QTreeWidget(this);
    fields_->setObjectName(QStringLiteral("tvFields"));
    fields_->setHeaderLabel(QStringLiteral("字段（双击插入）"));
    connect(fields_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { insertField(item); });

    preview_ = new QTextBrowser(this);
    preview_->setObjectName(QStringLiteral("txtPreview"));
    auto* help = new QTextBrowser(this);
    help->setObjectName(QStringLiteral("txtHelp"));
    QFile readme(QStringLiteral(":/velmor/Qr/README.md"));
    if (readme.open(QIODevice::ReadOnly)) help->setMarkdown(QString::fromUtf8(readme.readAll()));
    auto* tabs = new QTabWidget(this);
    tabs->addTab(preview_, QStringLiteral("预览"));
    tabs->addTab(help, QStringLiteral("模板说明"));

    auto* splitter = new QSplitter(this);
    splitter->addWidget(fields_);
    splitter->addWidget(source_);
    splitter->addWidget(tabs);
    splitter->setSizes({200, 500, 400});

    auto* buttons = new QHBoxLayout;
    QPushButton* saveButton = button(QStringLiteral("btnSave"), QStringLiteral("保存"), this);
    QPushButton* previewButton = button(QStringLiteral("btnPreview"), QStringLiteral("预览"), this);
    QPushButton* closeButton = button(QStringLiteral("btnClose"), QStringLiteral("关闭"), this);
    buttons->addWidget(saveButton);
    buttons->addWidget(previewButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(previewButton, &QPushButton::clicked, this, [this] { showFullPreview(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);

    fillFields();
    source_->setPlainText(report_.templateText());
    source_->document()->setModified(false);
    refresh_.setSingleShot(true);
    refresh_.setInterval(300);
    connect(&refresh_, &QTimer::timeout, this, [this] { refreshPreview(); });
    connect(source_, &QPlainTextEdit::textChanged, this, [this] { refresh_.start(); });
    connect(source_->document(), &QTextDocument::modificationChanged, this, [this] { updateTitle(); });
    refreshPreview();
    updateTitle();
}

void TfrmReportDesign::fillFields() {
    for (const ReportSource& s : report_.sources()) {
        QTreeWidgetItem* group = addGroup(fields_, s.name, QStringLiteral("{{#%1}}\n\n{{/%1}}").arg(s.name));
        for (const QString& column : s.columns)
            addEntry(group, column, QStringLiteral("{{%1.%2}}").arg(s.name, column));
    }
    QTreeWidgetItem* texts = addGroup(fields_, QStringLiteral("文本对象"));
    for (const char* name : {"MemoDate", "Memo1", "Memo2", "Memo3", "memName", "memXMname", "memTotal"})
        addEntry(texts, QString::fromLatin1(name), QStringLiteral("{{text:%1}}").arg(QString::fromLatin1(name)));
    QTreeWidgetItem* other = addGroup(fields_, QStringLiteral("其它"));
    addEntry(other, QStringLiteral("学校名称"), QStringLiteral("{{school}}"));
    addEntry(other, QStringLiteral("打印日期"), QStringLiteral("{{date}}"));
    addEntry(other, QStringLiteral("页码"), QStringLiteral("{{page}}"));
    addEntry(other, QStringLiteral("总页数"), QStringLiteral("{{pages}}"));
    addEntry(other, QStringLiteral("行号"), QStringLiteral("{{row}}"));
    addEntry(other, QStringLiteral("学员照片"), QStringLiteral("{{picture:photo|120x160}}"));
}

void TfrmReportDesign::insertField(QTreeWidgetItem* item) {
    const QString text = item->data(0, Qt::UserRole).toString();
    if (text.isEmpty()) return;
    source_->insertPlainText(text);
    source_->setFocus();
}

void TfrmReportDesign::refreshPreview() {
    Report draft = report_;
    draft.setTemplateText(source_->toPlainText());
    auto document = ReportDocument(draft.render(kLivePreviewRows)).bodyDocument();
    preview_->setDocument(document.get());
    previewDocument_ = std::move(document);
}

void TfrmReportDesign::showFullPreview() {
    Report draft = report_;
    draft.setTemplateText(source_->toPlainText());
    auto* preview = new TfrmReportPreview(draft.render(), this);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->open();
}

void TfrmReportDesign::updateTitle() {
    const QString name = report_.fileName().isEmpty() ? QStringLiteral("新报表") : QFileInfo(report_.fileName()).fileName();
    setWindowTitle(QStringLiteral("报表设计 - %1%2").arg(name, source_->document()->isModified() ? "*" : ""));
}

bool TfrmReportDesign::save() {
    QString path = report_.fileName();
    if (path.isEmpty()) {
        path = messageService().chooseSaveFile(QStringLiteral("保存报表模板"),
                                               QDir(templateDir_).filePath(QStringLiteral("新报表") + Report::templateExtension()),
                                               QStringLiteral("报表模板 (*%1)").arg(Report::templateExtension()));
        if (path.isEmpty()) return false;
        if (!path.endsWith(Report::templateExtension(), Qt::CaseInsensitive)) path += Report::templateExtension();
    }
    const QString previous = report_.templateText();
    report_.setTemplateText(source_->toPlainText());
    if (!report_.saveToFile(path)) {
        report_.setTemplateText(previous);
        ShowMess(QStringLiteral("报表模板保存失败：%1").arg(path), MessageService::Error);
        return false;
    }
    source_->document()->setModified(false);
    updateTitle();
    return true;
}

bool TfrmReportDesign::confirmClose() {
    if (!source_->document()->isModified()) return true;
    if (ShowMess(QStringLiteral("报表模板已修改，是否保存？"), MessageService::Question) != MessageService::Yes)
        return true;
    return save();
}

void TfrmReportDesign::reject() {
    if (confirmClose()) QDialog::reject();
}
