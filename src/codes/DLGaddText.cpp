#include "DLGaddText.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "DispFormPos.h"
#include "EnterNavigation.h"
#include "MessageService.h"

TDLGaddText::TDLGaddText(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TDLGaddText"));
    setWindowTitle(QStringLiteral("请输入要增加的标题名称"));

    auto* group = new QGroupBox(this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(new QLabel(QStringLiteral("名    称："), group));
    edtName_ = new QLineEdit(group);
    edtName_->setObjectName(QStringLiteral("edtName"));
    edtName_->setMinimumWidth(220);
    row->addWidget(edtName_);

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setAutoDefault(false);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("BitBtn2"));
    close->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TDLGaddText::confirm);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    enterMovesFocus(this);
}

std::optional<QString> TDLGaddText::run() {
    DispFormPos(this, 1);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return text();
}

QString TDLGaddText::text() const { return edtName_->text(); }

void TDLGaddText::confirm() {
    if (edtName_->text().trimmed().isEmpty()) {
        ShowMess(QStringLiteral("名称不能为空！"), MessageService::Information);
        edtName_->setFocus();
        return;
    }
    accept();
}
