#include "FrmOperGl.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "DataDm.h"
#include "DataGrid.h"
#include "DispFormPos.h"
#include "FrmLimitGl.h"
#include "MessageService.h"
#include "OperatorStore.h"
#include "OperatorWidgets.h"

TfrmOperGl::TfrmOperGl(TdmData& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("TfrmOperGl"));
    setWindowTitle(QStringLiteral("操作员权限管理"));

    grid_ = new DataGrid(this);
    grid_->setObjectName(QStringLiteral("dbgOper"));
    grid_->setColumns({GridColumn::forField(QStringLiteral("F_Name"), QStringLiteral("操作员"), 160)});
    grid_->setRowRule([](const ResultModel::RowValues& row) { return row.value(QStringLiteral("F_Flag")).toInt() != 0; });
    connect(grid_, &DataGrid::currentRowChanged, this, &TfrmOperGl::showCurrent);
    connect(grid_, &DataGrid::rowDoubleClicked, this, &TfrmOperGl::editClicked);

    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("memMem"));
    memo_->setReadOnly(true);
    memo_->setMaximumHeight(80);
    audit_ = new QCheckBox(QStringLiteral("收款审核"), this);
    audit_->setObjectName(QStringLiteral("chkAudit"));
    audit_->setAttribute(Qt::WA_TransparentForMouseEvents);
    audit_->setFocusPolicy(Qt::NoFocus);
    scope_ = new QLabel(this);
    scope_->setObjectName(QStringLiteral("lblScope"));
    salesmen_ = new QLineEdit(this);
    salesmen_->setObjectName(QStringLiteral("edtEmpName"));
    salesmen_->setReadOnly(true);

    auto* add = plainButton(this, "btnNew", QStringLiteral("新增"));
    auto* edit = plainButton(this, "btnEdit", QStringLiteral("修改"));
    auto* remove = plainButton(this, "btnDel", QStringLiteral("删除"));
    auto* close = plainButton(this, "btnClose", QStringLiteral("关闭"));
    showDisabled_ = new QCheckBox(QStringLiteral("显示禁用操作员"), this);
    showDisabled_->setObjectName(QStringLiteral("chkShowDisabled"));
    connect(add, &QPushButton::clicked, this, [this] { openEditor(0); });
    connect(edit, &QPushButton::clicked, this, &TfrmOperGl::editClicked);
    connect(remove, &QPushButton::clicked, this, &TfrmOperGl::deleteClicked);
    connect(close, &QPushButton::clicked, this, &TfrmOperGl::reject);
    connect(showDisabled_, &QCheckBox::toggled, this, [this] { openList(); });

    auto* details = new QVBoxLayout;
    details->addWidget(new QLabel(QStringLiteral("其他描述"), this));
    details->addWidget(memo_);
    details->addWidget(audit_);
    details->addWidget(scope_);
    details->addWidget(salesmen_);
    details->addStretch();
    auto* buttons = new QVBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(add), static_cast<QWidget*>(edit), static_cast<QWidget*>(remove),
                       static_cast<QWidget*>(close)})
        buttons->addWidget(w);
    buttons->addStretch();
    buttons->addWidget(showDisabled_);
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(grid_, 1);
    left->addLayout(details);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    resize(520, 480);

    openList();
}

void TfrmOperGl::openList(const QString& currentName) {
    QString sql = QStringLiteral("select F_ID, F_Name, F_Mem, F_Flag, F_xtFlag, F_empFlag, F_empName "
                                 "from OperList where (1=1) ");
    if (!showDisabled_->isChecked()) sql += QStringLiteral("and coalesce(F_Flag, 0) = 0 ");
    sql += QStringLiteral("order by F_ID");
    grid_->open(dm_, sql);
    if (!currentName.isEmpty()) grid_->locate(QStringLiteral("F_Name"), currentName);
    showCurrent();
}

void TfrmOperGl::showCurrent() {
    const bool any = grid_->currentRow() >= 0;
    const int scope = any ? grid_->value(QStringLiteral("F_empFlag")).toInt() : 0;
    memo_->setPlainText(any ? grid_->value(QStringLiteral("F_Mem")).toString() : QString());
    audit_->setChecked(any && grid_->value(QStringLiteral("F_xtFlag")).toInt() != 0);
    scope_->setText(any ? traineeScopeTexts().value(scope) : QString());
    salesmen_->setText(scope == 2 ? grid_->value(QStringLiteral("F_empName")).toString() : QString());
    salesmen_->setVisible(scope == 2);
}

void TfrmOperGl::openEditor(qint64 editedId) {
    TFrmLimitGl editor(dm_, editedId, this);
    connect(&editor, &TFrmLimitGl::saved, this, [this](const QString& name) { openList(name); });
    DispFormPos(&editor, 1);
    editor.exec();
}

void TfrmOperGl::editClicked() {
    if (grid_->rowCount() == 0) {
        ShowMess(QStringLiteral("此表为空，没有记录需要修改！"), MessageService::Error);
        return;
    }
    if (OperatorStore::isBuiltInAdmin(grid_->value(QStringLiteral("F_Name")).toString())) {
        ShowMess(QStringLiteral("此用户为系统默认用户，不能修改和编辑！"), MessageService::Error);
        return;
    }
    openEditor(grid_->value(QStringLiteral("F_ID")).toLongLong());
}

void TfrmOperGl::deleteClicked() {
    // With nobody listed there is nobody to ask about.
    if (grid_->currentRow() < 0) return;
    const QString name = grid_->value(QStringLiteral("F_Name")).toString();
    if (OperatorStore::isBuiltInAdmin(name)) {
        ShowMess(QStringLiteral("此用户为系统默认用户，不能删除！"), MessageService::Error);
        return;
    }
    if (ShowMess(QStringLiteral("真的要删除当前操作员 \"") + name + QStringLiteral("\" 吗？"), MessageService::Question) !=
        MessageService::Yes)
        return;
    const int row = grid_->currentRow();
    // The permission rows stay; saving an operator under this name later replaces them.
    if (dm_.DeleteRecord(QStringLiteral("OperList"), grid_->value(QStringLiteral("F_ID")).toLongLong())) {
        openList();
        if (grid_->rowCount() > 0) grid_->setCurrentRow(std::min(row, grid_->rowCount() - 1));
    }
}
