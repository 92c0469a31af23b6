#include "OperatorStore.h"

#include <QSqlQuery>

#include "DataDm.h"
#include "Helpers.h"
#include "Transaction.h"

namespace OperatorStore {

namespace {

bool exec(QSqlDatabase& db, const QString& sql, const QVariantList& params) {
    QSqlQuery q(db);
    if (!q.prepare(sql)) return false;
    for (int i = 0; i < params.size(); ++i) q.bindValue(i, params[i]);
    return q.exec();
}

QStringList firstColumn(TdmData& dm, const QString& sql, const QVariantList& params) {
    QStringList names;
    QSqlQuery q;
    if (dm.OpenSQL(q, sql, params))
        while (q.next()) names.append(q.value(0).toString());
    return names;
}

}  // namespace

bool isBuiltInAdmin(const QString& name) { return name.trimmed().toLower() == QLatin1String("admin"); }

QStringList permissionNames(TdmData& dm) {
    return firstColumn(dm, QStringLiteral("select F_name from Limits where coalesce(F_flag, 0) <> 0 order by F_code"),
                       {});
}

QStringList grantedPermissions(TdmData& dm, const QString& name) {
    return firstColumn(dm, QStringLiteral("select F_lmtName from OperLimit where F_OperName = ?"), {name.trimmed()});
}

Problem save(TdmData& dm, const OperatorForm& form, qint64 editedId) {
    const QString name = form.name.trimmed();
    if (name.isEmpty()) return Problem::EmptyName;
    if (form.confirmation != form.password) return Problem::ConfirmationMismatch;
    const qint64 existing = dm.QueryInt(QStringLiteral("select F_ID from OperList where F_Name = ?"), {name});
    if (existing > 0 && existing != editedId) return Problem::DuplicateName;

    QSqlDatabase db = dm.database();
    Transaction tx(db);
    if (!tx.active()) return Problem::SaveFailed;
    const QVariantList values{name,
                              form.memo,
                              form.disabled ? 1 : 0,
                              form.canAuditPayments ? 1 : 0,
                              form.traineeScope,
                              form.salesmanList.trimmed()};
    bool ok;
    if (editedId == 0) {
        ok = exec(db,
                  QStringLiteral("insert into OperList(F_Name, F_mem, F_flag, F_xtFlag, F_empFlag, F_empName, "
                                 "F_PassWord) values(?, ?, ?, ?, ?, ?, ?)"),
                  values + QVariantList{SavePass(form.password)});
    } else if (form.password.isEmpty()) {
        ok = exec(db,
                  QStringLiteral("update OperList set F_Name = ?, F_mem = ?, F_Flag = ?, F_xtFlag = ?, "
                                 "F_empFlag = ?, F_empName = ? where F_ID = ?"),
                  values + QVariantList{editedId});
    } else {
        ok = exec(db,
                  QStringLiteral("update OperList set F_Name = ?, F_mem = ?, F_Flag = ?, F_xtFlag = ?, "
                                 "F_empFlag = ?, F_empName = ?, F_PassWord = ? where F_ID = ?"),
                  values + QVariantList{SavePass(form.password), editedId});
    }
    ok = ok && exec(db, QStringLiteral("delete from OperLimit where F_OperName = ?"), {name});
    for (const QString& permission : form.permissions) {
        ok = ok && exec(db, QStringLiteral("insert into OperLimit(F_OperName, F_lmtName) values(?, ?)"),
                        {name, permission});
    }
    return ok && tx.commit() ? Problem::None : Problem::SaveFailed;
}

}  // namespace OperatorStore
