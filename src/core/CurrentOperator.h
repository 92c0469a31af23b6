#pragma once

#include <QString>
#include <QStringList>

// What the program knows about the operator who logged in last. Replaced as a
// whole at every successful login; every window reads it.
struct OperatorValues {
    QString name;
    int traineeScope = 0;       // 0 all trainees, 1 own trainees as salesman, 2 listed salesmen
    QString salesmanList;       // stored form 'A','B' for scope 2
    bool canAuditPayments = false;
    QStringList customSettings = QStringList(15);  // KeyValue rows 1-15 by position
    QString moneyFormat;
    bool autoNumbering = false;

    bool isAdmin() const { return name.trimmed().toLower() == QLatin1String("admin"); }
};

const OperatorValues& currentOperator();
void setCurrentOperator(OperatorValues values);
