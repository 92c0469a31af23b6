#include "TraineeStore.h"

#include <QSqlQuery>

#include "DataDm.h"
#include "Transaction.h"

QSqlRecord TraineeStore::read(TdmData& dm, qint64 id) {
    QSqlQuery q(dm.database());
    if (!dm.OpenSQL(q, QStringLiteral("select * from T_employee where F_ID = ?"), {id}) || !q.next()) return {};
    return q.record();
}

qint64 TraineeStore::nextLinkNumber(TdmData& dm) {
    return dm.QueryInt(QStringLiteral("select max(F_mainID) from T_employee")) + 1;
}

bool TraineeStore::linkNumberTaken(TdmData& dm, qint64 linkNumber) {
    return dm.QueryInt(QStringLiteral("select F_ID from T_employee where F_mainID = ?"), {linkNumber}) > 0;
}

std::optional<QString> TraineeStore::nextFileNumber(TdmData& dm, const QDate& today) {
    const QString month = today.toString(QStringLiteral("yyyyMM"));
    const QString next = dm.NextMonthCode(QStringLiteral("select max(F_code) from T_employee where F_code glob ?"),
                                          {QStringLiteral("Y") + month + QStringLiteral("[0-9][0-9][0-9]")},
                                          QStringLiteral("Y"), 3, today);
    // The sequence wraps to 000 after 999; that number would repeat a month's first ones.
    if (next.endsWith(QLatin1String("000"))) return std::nullopt;
    return next;
}

bool TraineeStore::fileNumberTaken(TdmData& dm, const QString& fileNumber, qint64 ownId) {
    const QString number = fileNumber.trimmed();
    return !number.isEmpty() &&
           dm.QueryInt(QStringLiteral("select F_ID from T_employee where F_code = ? and F_ID <> ?"), {number, ownId}) > 0;
}

bool TraineeStore::idCardTaken(TdmData& dm, const QString& idCard, qint64 ownId) {
    const QString number = idCard.trimmed();
    return !number.isEmpty() &&
           dm.QueryInt(QStringLiteral("select F_ID from T_employee where F_SFZcode = ? and F_ID <> ?"),
                       {number, ownId}) > 0;
}

bool TraineeStore::write(TdmData& dm, qint64 id, const Values& values) {
    QStringList columns;
    QVariantList params;
    for (const auto& [column, value] : values) {
        columns << column;
        params << value;
    }
    QString sql;
    if (id > 0) {
        sql = QStringLiteral("update T_employee set ") + columns.join(QStringLiteral(" = ?, ")) +
              QStringLiteral(" = ? where F_ID = ?");
        params << id;
    } else {
        sql = QStringLiteral("insert into T_employee (") + columns.join(QStringLiteral(", ")) +
              QStringLiteral(") values (") + QStringList(columns.size(), QStringLiteral("?")).join(u',') + u')';
    }
    QSqlDatabase db = dm.database();
    Transaction transaction(db);
    if (!transaction.active()) return false;
    QSqlQuery q(db);
    if (!q.prepare(sql)) return false;
    for (int i = 0; i < params.size(); ++i) q.bindValue(i, params[i]);
    if (!q.exec()) return false;
    q.finish();
    return transaction.commit();
}
