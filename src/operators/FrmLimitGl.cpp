#include "FrmLimitGl.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QVBoxLayout>

#include "DLGselectEmpSTR.h"
#include "DataDm.h"
#include "EnterNavigation.h"
#include "ListControls.h"
#include "MessageService.h"
#include "OperatorStore.h"
#include "OperatorWidgets.h"

TFrmLimitGl::TFrmLimitGl(TdmData& dm, qint64 editedId, QWidget* parent)
    : QDialog(parent), dm_(dm), editedId_(editedId) {
    setObjectName(QStringLiteral("TFrmLimitGl"));
    setWindowTitle(QStringLiteral("操作员"));

    name_ = new QComboBox(this);
    name_->setObjectName(QStringLiteral("cbbName"));
    name_->setEditable(true);
    name_->setInsertPolicy(QComboBox::NoInsert);
    name_->installEventFilter(this);
    password_ = new QLineEdit(this);
    password_->setObjectName(QStringLiteral("edtPass"));
    password_->setEchoMode(QLineEdit::Password);
    confirmation_ = new QLineEdit(this);
    confirmation_->setObjectName(QStringLiteral("edtPass1"));
    confirmation_->setEchoMode(QLineEdit::Password);
    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("memMem"));
    memo_->setMaximumHeight(70);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("用户名称："), name_);
    form->addRow(QStringLiteral("初始密码："), password_);
    form->addRow(QStringLiteral("密码确认："), confirmation_);
    form->addRow(QStringLiteral("详细描述："), memo_);

    permissions_ = tickList(this, "lstLimits", OperatorStore::permissionNames(dm_));
    auto* all = plainButton(this, "btnAll", QStringLiteral("全选"));
    auto* none = plainButton(this, "btnNone", QStringLiteral("不选"));
    connect(all, &QPushButton::clicked, this, [this] { setAllTicks(true); });
    connect(none, &QPushButton::clicked, this, [this] { setAllTicks(false); });
    auto* tickButtons = new QHBoxLayout;
    tickButtons->addWidget(new QLabel(QStringLiteral("权限属性："), this));
    tickButtons->addStretch();
    tickButtons->addWidget(all);
    tickButtons->addWidget(none);

    disabled_ = new QCheckBox(QStringLiteral("用户禁用"), this);
    disabled_->setObjectName(QStringLiteral("chkDisabled"));
    audit_ = new QCheckBox(QStringLiteral("收款审核"), this);
    audit_->setObjectName(QStringLiteral("chkAudit"));

    auto* scopeBox = new QGroupBox(this);
    scopeBox->setObjectName(QStringLiteral("rgScope"));
    auto* scopeLayout = new QVBoxLayout(scopeBox);
    scope_ = new QButtonGroup(this);
    const QStringList& scopes = traineeScopeTexts();
    for (int i = 0; i < scopes.size(); ++i) {
        auto* radio = new QRadioButton(scopes[i], scopeBox);
        radio->setObjectName(QStringLiteral("rbScope%1").arg(i));
        scope_->addButton(radio, i);
        scopeLayout->addWidget(radio);
    }
    salesmanPanel_ = new QWidget(scopeBox);
    salesmanPanel_->setObjectName(QStringLiteral("pnlEmpName"));
    salesmen_ = new QLineEdit(salesmanPanel_);
    salesmen_->setObjectName(QStringLiteral("edtEmpName"));
    auto* pickSalesmen = plainButton(salesmanPanel_, "btnEmpName", QStringLiteral("..."));
    connect(pickSalesmen, &QPushButton::clicked, this,
            [this] { salesmen_->setText(TDLGselectEmpSTR::pick(dm_, salesmen_->text(), this)); });
    auto* salesmanLayout = new QHBoxLayout(salesmanPanel_);
    salesmanLayout->setContentsMargins(0, 0, 0, 0);
    salesmanLayout->addWidget(salesmen_);
    salesmanLayout->addWidget(pickSalesmen);
    scopeLayout->addWidget(salesmanPanel_);
    connect(scope_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) scopeChanged();
    });

    auto* save = plainButton(this, "btnSave", QStringLiteral("保存"));
    auto* close = plainButton(this, "btnClose", QStringLiteral("关闭"));
    connect(save, &QPushButton::clicked, this, &TFrmLimitGl::saveClicked);
    connect(close, &QPushButton::clicked, this, &TFrmLimitGl::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(disabled_);
    buttons->addWidget(audit_);
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(tickButtons);
    layout->addWidget(permissions_);
    layout->addWidget(scopeBox);
    layout->addLayout(buttons);

    if (isNewMode())
        clearInputs();
    else
        load();
    enterMovesFocus(this);
}

bool TFrmLimitGl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == name_ && event->type() == QEvent::FocusIn) {
        const QString typed = name_->currentText();
        setItems(name_, dm_.FillItems(QStringLiteral("select distinct F_name from t_code "
                                                     "where (F_name <> '') and F_type = ?"),
                                      {QStringLiteral("opername")}));
        name_->setEditText(typed);
    }
    return QDialog::eventFilter(watched, event);
}

void TFrmLimitGl::clearInputs() {
    name_->setEditText(QString());
    password_->clear();
    confirmation_->clear();
    memo_->clear();
    disabled_->setChecked(false);
    audit_->setChecked(false);
    salesmen_->clear();
    scope_->button(0)->setChecked(true);
    scopeChanged();
    setAllTicks(false);
}

void TFrmLimitGl::load() {
    QSqlQuery q;
    if (!dm_.OpenSQL(q,
                     QStringLiteral("select F_Name, F_Mem, F_Flag, F_xtFlag, F_empFlag, F_empName "
                                    "from OperList where F_ID = ?"),
                     {editedId_}) ||
        !q.next()) {
        clearInputs();
        return;
    }
    const QString name = q.value(0).toString();
    name_->setEditText(name);
    memo_->setPlainText(q.value(1).toString());
    disabled_->setChecked(q.value(2).toInt() != 0);
    audit_->setChecked(q.value(3).toInt() != 0);
    const int scope = q.value(4).toInt();
    QAbstractButton* scopeButton = scope_->button(scope);
    (scopeButton ? scopeButton : scope_->button(0))->setChecked(true);
    salesmen_->setText(scope == 2 ? q.value(5).toString() : QString());
    scopeChanged();
    q.finish();
    const QStringList granted = OperatorStore::grantedPermissions(dm_, name);
    for (int i = 0; i < permissions_->count(); ++i)
        setTicked(permissions_, i, granted.contains(permissions_->item(i)->text(), Qt::CaseInsensitive));
}

void TFrmLimitGl::setAllTicks(bool ticked) {
    for (int i = 0; i < permissions_->count(); ++i) setTicked(permissions_, i, ticked);
}

void TFrmLimitGl::scopeChanged() { salesmanPanel_->setVisible(scope_->checkedId() == 2); }

OperatorForm TFrmLimitGl::form() const {
    OperatorForm f;
    f.name = name_->currentText();
    f.password = password_->text();
    f.confirmation = confirmation_->text();
    f.memo = memo_->toPlainText();
    f.disabled = disabled_->isChecked();
    f.canAuditPayments = audit_->isChecked();
    f.traineeScope = std::max(0, scope_->checkedId());
    f.salesmanList = salesmen_->text();
    f.permissions = tickedTexts(permissions_);
    return f;
}

void TFrmLimitGl::saveClicked() {
    const OperatorForm f = form();
    switch (OperatorStore::save(dm_, f, editedId_)) {
    case OperatorStore::Problem::EmptyName:
        ShowMess(QStringLiteral("操作员名称不能为空！"), MessageService::Information);
        name_->setFocus();
        return;
    case OperatorStore::Problem::ConfirmationMismatch:
        ShowMess(QStringLiteral("验正码不正确，请重新确认输入！"), MessageService::Information);
        confirmation_->setFocus();
        return;
    case OperatorStore::Problem::DuplicateName:
        ShowMess(QStringLiteral("操作员名称重复，请重新输入！"), MessageService::Information);
        name_->setFocus();
        return;
    case OperatorStore::Problem::SaveFailed:
        ShowMess(QStringLiteral("保存失败，请检测数据库连接！"), MessageService::Error);
        return;
    case OperatorStore::Problem::None:
        break;
    }
    emit saved(f.name.trimmed());
    if (isNewMode()) {
        clearInputs();
        name_->setFocus();
    } else {
        accept();
    }
}
