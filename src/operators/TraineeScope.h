#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

struct OperatorValues;

// A condition for a statement built as "... where (1=1) " plus conditions: the
// SQL text carries only placeholders, the values travel in params.
struct SqlCondition {
    QString sql;          // a bare condition such as "F_empName = ?", empty for none
    QVariantList params;

    bool isEmpty() const { return sql.isEmpty(); }
    // Appends " and (condition) " and its values; nothing when there is no condition.
    void appendTo(QString& statement, QVariantList& values) const;
};

// The salesman list as operator management stores it ('A','B') split into names.
// Older rows may carry quotes inside names doubled ('O''Neil') or not; a list
// typed without quotes (A,B or A，B) is read too.
QStringList parseSalesmanList(const QString& stored);

// Which trainees the operator may see, on the trainee column `salesmanColumn`
// (for example "F_empName" or "e.F_empName"): scope 1 the operator's own
// trainees, scope 2 those of the listed salesmen, anything else all trainees.
// An empty list under scope 2 matches no trainee.
SqlCondition traineeScopeCondition(const OperatorValues& op,
                                   const QString& salesmanColumn = QStringLiteral("F_empName"));
