#include "FrmOperLogin.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "DataDm.h"
#include "EnterNavigation.h"
#include "ListControls.h"
#include "MessageService.h"
#include "OperatorLogin.h"
#include "OperatorWidgets.h"

namespace {
// The fourth wrong password in a row ends the attempt.
constexpr int kMaxAttempts = 4;
}  // namespace

TfrmOperLogin::TfrmOperLogin(TdmData& dm, Mode mode, QWidget* parent) : QDialog(parent), dm_(dm), mode_(mode) {
    setObjectName(QStringLiteral("TfrmOperLogin"));
    setWindowTitle(QStringLiteral("登录窗口"));

    auto* header = new QLabel(QStringLiteral("Velmor驾校学员管理软件"), this);
    header->setObjectName(QStringLiteral("imgHeader"));
    header->setToolTip(QStringLiteral("请输入正确的操作员编号及密码，系统管理员“admin”，系统初始密码为空："));
    header->setAlignment(Qt::AlignCenter);
    header->setMinimumHeight(60);
    QFont headerFont = header->font();
    headerFont.setPointSize(headerFont.pointSize() + 6);
    headerFont.setBold(true);
    header->setFont(headerFont);

    name_ = new QComboBox(this);
    name_->setObjectName(QStringLiteral("cbbName"));
    name_->setEditable(true);
    name_->setInsertPolicy(QComboBox::NoInsert);
    name_->setMinimumWidth(220);
    password_ = new QLineEdit(this);
    password_->setObjectName(QStringLiteral("edtPass"));
    password_->setEchoMode(QLineEdit::Password);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("姓  名："), name_);
    form->addRow(QStringLiteral("密  码："), password_);

    auto* ok = plainButton(this, "btnOK", QStringLiteral("确定"));
    auto* cancel = plainButton(this, "btnCancel", QStringLiteral("取消"));
    connect(ok, &QPushButton::clicked, this, &TfrmOperLogin::confirm);
    connect(cancel, &QPushButton::clicked, this, &TfrmOperLogin::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Disabled operators are listed too: login itself does not refuse them.
    setItems(name_, dm_.FillItems(QStringLiteral("select F_name from OperList where F_name <> ''")));
    name_->setEditText(dm_.config().readString(QStringLiteral("Config"), QStringLiteral("CurOperName")));
    enterMovesFocus(this);
    if (!name_->currentText().isEmpty()) password_->setFocus();
}

void TfrmOperLogin::confirm() {
    const QString name = name_->currentText();
    switch (OperatorLogin::check(dm_, name, password_->text())) {
    case OperatorLogin::Check::EmptyName:
        ShowMess(QStringLiteral("请选择用户！"), MessageService::Information);
        name_->setFocus();
        return;
    case OperatorLogin::Check::UnknownOperator:
        ShowMess(QStringLiteral("此操作员并不存在，请重新选择操作员！"), MessageService::Information);
        name_->setFocus();
        return;
    case OperatorLogin::Check::Ok:
        OperatorLogin::complete(dm_, name);
        emit loggedIn();
        accept();
        return;
    case OperatorLogin::Check::WrongPassword:
        break;
    }
    if (++attempts_ < kMaxAttempts) {
        ShowMess(QStringLiteral("用户名或密码不正确，请重新输入！"), MessageService::Information);
        password_->setFocus();
        password_->selectAll();
        return;
    }
    if (mode_ == FirstLogin) {
        dm_.WriteLog(QStringLiteral("登录失败！"));
        ShowMess(QStringLiteral("非法操作员!"), MessageService::Error);
    } else {
        dm_.WriteLog(QStringLiteral("更换操作员失败！"));
        ShowMess(QStringLiteral("更换操作员失败!"), MessageService::Error);
    }
    reject();
}

void TfrmOperLogin::reject() {
    if (mode_ == FirstLogin) emit terminateRequested();
    QDialog::reject();
}

void TfrmOperLogin::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F4 && (event->modifiers() & Qt::AltModifier)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmOperLogin::closeEvent(QCloseEvent* event) {
    // Closing from the window system (Alt+F4, the title bar) is not a way out: the
    // buttons end the window through accept() and reject(), which send no close event.
    event->ignore();
}
