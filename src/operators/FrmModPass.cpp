#include "FrmModPass.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QVBoxLayout>

#include "CurrentOperator.h"
#include "DataDm.h"
#include "EnterNavigation.h"
#include "Helpers.h"
#include "MessageService.h"
#include "OperatorWidgets.h"

TfrmModPass::TfrmModPass(TdmData& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("TfrmModPass"));
    setWindowTitle(QStringLiteral("更改当前用户密码"));

    auto* who = new QLabel(QStringLiteral("当前操作员：") + currentOperator().name + u' ', this);
    who->setObjectName(QStringLiteral("lblOperName"));
    const auto masked = [this](const char* name) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(name));
        box->setEchoMode(QLineEdit::Password);
        return box;
    };
    oldPass_ = masked("edtOldPass");
    newPass_ = masked("edtNewPass");
    again_ = masked("edtNewPass1");
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("旧密码："), oldPass_);
    form->addRow(QStringLiteral("新密码："), newPass_);
    form->addRow(QStringLiteral("再输一遍："), again_);

    auto* ok = plainButton(this, "btnOK", QStringLiteral("确定(&O)"));
    auto* cancel = plainButton(this, "btnCancel", QStringLiteral("取消(&C)"));
    connect(ok, &QPushButton::clicked, this, &TfrmModPass::confirm);
    connect(cancel, &QPushButton::clicked, this, &TfrmModPass::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(who);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    enterMovesFocus(this);
}

void TfrmModPass::confirm() {
    QSqlQuery q;
    if (dm_.OpenSQL(q, QStringLiteral("select F_ID, F_PassWord from OperList where F_Name = ?"),
                    {currentOperator().name}) &&
        q.next()) {
        const qint64 id = q.value(0).toLongLong();
        const QString stored = q.value(1).toString();
        q.finish();
        if (!CheckPass(stored, oldPass_->text())) {
            ShowMess(QStringLiteral("旧口令输入错误，不能更改！"), MessageService::Warning);
        } else if (newPass_->text().trimmed() != again_->text().trimmed()) {
            ShowMess(QStringLiteral("新口令错误，不能更改！"), MessageService::Information);
            newPass_->clear();
            again_->clear();
        } else if (dm_.RunSQL(QStringLiteral("update OperList set F_PassWord = ? where F_ID = ?"),
                              {SavePass(newPass_->text()), id})) {
            ShowMess(QStringLiteral("更改口令成功！"), MessageService::Information);
        }
    }
    accept();
}
