#include "OperatorLogin.h"

#include <QSqlQuery>

#include "DataDm.h"
#include "Helpers.h"

namespace OperatorLogin {

Check check(TdmData& dm, const QString& typedName, const QString& password) {
    const QString name = typedName.trimmed();
    if (name.isEmpty()) return Check::EmptyName;
    if (dm.QueryInt(QStringLiteral("select F_ID from OperList where F_name = ?"), {name}) <= 0)
        return Check::UnknownOperator;
    const QString stored =
        dm.QueryText(QStringLiteral("select F_PassWord from OperList where F_Name = ?"), {name});
    return CheckPass(stored, password) ? Check::Ok : Check::WrongPassword;
}

OperatorValues load(TdmData& dm, const QString& name) {
    OperatorValues v;
    v.name = name;
    QSqlQuery q;
    if (dm.OpenSQL(q, QStringLiteral("select F_empFlag, F_empName, F_xtFlag from OperList where F_name = ?"),
                   {name}) &&
        q.next()) {
        v.salesmanList = q.value(1).toString();
        v.traineeScope = q.value(0).toInt();  // NULL reads as 0
        v.canAuditPayments = q.value(2).toInt() != 0;
    }
    if (dm.OpenSQL(q, QStringLiteral("select F_Value from KeyValue order by F_ID"))) {
        for (int i = 0; i < v.customSettings.size() && q.next(); ++i) v.customSettings[i] = q.value(0).toString();
    }
    // A missing or garbled setting 14 keeps the delivered two places for money.
    bool ok = false;
    const int places = v.customSettings.value(13).trimmed().toInt(&ok);
    v.moneyFormat = TdmData::NumberFormat(ok ? places : 2, 3);
    v.autoNumbering = dm.config().readBool(QStringLiteral("sys"), QStringLiteral("bZDcode"), false);
    return v;
}

void complete(TdmData& dm, const QString& typedName) {
    const QString name = typedName.trimmed();
    setCurrentOperator(load(dm, name));
    dm.config().writeString(QStringLiteral("Config"), QStringLiteral("CurOperName"), name);
    dm.WriteLog(QStringLiteral("登录成功！"));
}

}  // namespace OperatorLogin
