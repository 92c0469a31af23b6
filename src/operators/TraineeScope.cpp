#include "TraineeScope.h"

#include <QRegularExpression>

#include "CurrentOperator.h"

void SqlCondition::appendTo(QString& statement, QVariantList& values) const {
    if (isEmpty()) return;
    statement += QStringLiteral(" and (") + sql + QStringLiteral(") ");
    values += params;
}

QStringList parseSalesmanList(const QString& stored) {
    QString text = stored.trimmed();
    QStringList parts;
    if (text.size() >= 2 && text.startsWith(u'\'') && text.endsWith(u'\'')) {
        static const QRegularExpression quotedSeparator(QStringLiteral("'\\s*[,，]\\s*'"));
        parts = text.mid(1, text.size() - 2).split(quotedSeparator);
        for (QString& p : parts) p.replace(QStringLiteral("''"), QStringLiteral("'"));
    } else {
        static const QRegularExpression separator(QStringLiteral("[,，]"));
        parts = text.split(separator);
        for (QString& p : parts) p = p.trimmed();
    }
    parts.removeAll(QString());
    return parts;
}

SqlCondition traineeScopeCondition(const OperatorValues& op, const QString& salesmanColumn) {
    SqlCondition c;
    if (op.traineeScope == 1) {
        c.sql = salesmanColumn + QStringLiteral(" = ?");
        c.params = {op.name};
    } else if (op.traineeScope == 2) {
        const QStringList names = parseSalesmanList(op.salesmanList);
        if (names.isEmpty()) {
            c.sql = QStringLiteral("1 = 0");
        } else {
            QStringList marks;
            for (const QString& n : names) {
                marks.append(QStringLiteral("?"));
                c.params.append(n);
            }
            c.sql = salesmanColumn + QStringLiteral(" in (") + marks.join(u',') + u')';
        }
    }
    return c;
}
