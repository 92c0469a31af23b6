#include "DLGselectEmpSTR.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QVBoxLayout>

#include "DataDm.h"
#include "MessageService.h"
#include "OperatorWidgets.h"

TDLGselectEmpSTR::TDLGselectEmpSTR(TdmData& dm, const QString& given, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TDLGselectEmpSTR"));
    setWindowTitle(QStringLiteral("业务员选择"));

    QStringList names;
    QSqlQuery q;
    if (dm.OpenSQL(q, QStringLiteral("select F_name from EmpList where F_name <> '' and coalesce(F_flag, 0) = 0 "
                                     "order by F_ID"))) {
        while (q.next()) names.append(q.value(0).toString());
    }
    list_ = tickList(this, "lstEmp", names);
    for (int i = 0; i < names.size(); ++i) setTicked(list_, i, preTicked(names[i], given));

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btnOK"));
    auto* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("请从以下列表中勾选所需项目："), this));
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

QString TDLGselectEmpSTR::pick(TdmData& dm, const QString& given, QWidget* parent) {
    TDLGselectEmpSTR dialog(dm, given, parent);
    if (dialog.isEmpty()) {
        ShowMess(QStringLiteral("没有项目选择！"), MessageService::Information);
        return given;
    }
    return dialog.exec() == QDialog::Accepted ? dialog.resultText() : given;
}

bool TDLGselectEmpSTR::isEmpty() const { return list_->count() == 0; }

QString TDLGselectEmpSTR::resultText() const { return listText(tickedTexts(list_)); }

bool TDLGselectEmpSTR::preTicked(const QString& name, const QString& given) {
    QString text = given;
    text.replace(QStringLiteral("，"), QStringLiteral(","));
    return (u',' + text + u',').contains(name);
}

QString TDLGselectEmpSTR::listText(const QStringList& names) {
    if (names.isEmpty()) return {};
    return u'\'' + names.join(QStringLiteral("','")) + u'\'';
}
