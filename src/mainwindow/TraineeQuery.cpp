#include "TraineeQuery.h"

#include <QSqlQuery>

#include "DataDm.h"
#include "TraineeScope.h"
#include "Transaction.h"

namespace TraineeQuery {

const QStringList& searchFieldCaptions() {
    static const QStringList captions = {QStringLiteral("姓    名"), QStringLiteral("档案编号"),
                                         QStringLiteral("身份证号"), QStringLiteral("家庭住址"),
                                         QStringLiteral("联系方式"), QStringLiteral("备    注")};
    return captions;
}

QString searchFieldColumn(int entry) {
    static const QStringList columns = {QStringLiteral("F_name"),      QStringLiteral("F_code"),
                                        QStringLiteral("F_SFZcode"),   QStringLiteral("F_JTaddress"),
                                        QStringLiteral("F_LXphone"),   QStringLiteral("F_memo1")};
    return columns.value(entry);
}

const QStringList& navigationCaptions() {
    static const QStringList captions = {QStringLiteral("报考车型"), QStringLiteral("教 练 员"),
                                         QStringLiteral("车牌号码"), QStringLiteral("业 务 员")};
    return captions;
}

QString navigationFillSql(int type) {
    switch (type) {
        case 0: return QStringLiteral("select distinct F_name from t_code where (F_name <> '') and F_type = 'bkcartype'");
        case 1: return QStringLiteral("select distinct F_name from EmpList where (F_name <> '') and F_duty like '%教练员%'");
        case 2: return QStringLiteral("select distinct F_name from t_code where (F_name <> '') and F_type = 'cpcode'");
        case 3: return QStringLiteral("select distinct F_name from EmpList where (F_name <> '') and F_duty like '%业务员%'");
        default: return {};
    }
}

QString navigationColumn(int type) {
    static const QStringList columns = {QStringLiteral("F_BKcarType"), QStringLiteral("F_JLemp"),
                                        QStringLiteral("F_CPcode"), QStringLiteral("F_empName")};
    return columns.value(type);
}

QString containsPattern(const QString& text) {
    QString escaped;
    for (const QChar c : text) {
        if (c == u'\\' || c == u'%' || c == u'_') escaped += u'\\';
        escaped += c;
    }
    return u'%' + escaped + u'%';
}

SqlStatement build(const QString& selectList, const TraineeFilter& filter, const SqlCondition& scope) {
    SqlStatement s;
    s.sql = QStringLiteral("select ") + selectList + QStringLiteral(" from T_employee where (1=1) ");
    scope.appendTo(s.sql, s.params);
    const QString searchColumn = searchFieldColumn(filter.searchField);
    if (!searchColumn.isEmpty()) {
        // Added even for an empty text: it then hides trainees whose value is NULL.
        s.sql += QStringLiteral("and %1 like ? escape '\\' ").arg(searchColumn);
        s.params.append(containsPattern(filter.searchText.trimmed()));
    }
    if (!filter.includeFinished) s.sql += QStringLiteral("and F_useFlag = 0 ");
    if (filter.paymentState > 0) {
        s.sql += QStringLiteral("and F_SKflag = ? ");
        s.params.append(filter.paymentState - 1);
    }
    const QString navColumn = navigationColumn(filter.navigationType);
    if (filter.navigationValue && !navColumn.isEmpty()) {
        s.sql += QStringLiteral("and %1 = ? ").arg(navColumn);
        s.params.append(*filter.navigationValue);
    }
    s.sql += QStringLiteral(" order by F_code");
    return s;
}

QString navigationListSql(int type) {
    const QString fill = navigationFillSql(type);
    if (fill.isEmpty()) return {};
    return QStringLiteral("select 0 as F_key, '全部' as F_name union all "
                          "select row_number() over () as F_key, F_name from (%1) names")
        .arg(fill);
}

bool deleteTrainee(TdmData& dm, qint64 mainId) {
    QSqlDatabase db = dm.database();
    Transaction tx(db);
    if (!tx.active()) return false;
    for (const char* table : {"t_BKrec", "t_TXrec", "T_employee"}) {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("delete from %1 where F_mainID = ?").arg(QLatin1String(table)));
        q.addBindValue(mainId);
        if (!q.exec()) return false;
    }
    return tx.commit();
}

}  // namespace TraineeQuery
