#include "TableColumns.h"

#include <QHash>
#include <QSqlQuery>

namespace TableColumns {

QStringList listColumns(QSqlDatabase db, const QString& table) {
    // The schema only changes with an upgrade at start-up, so the answer is kept per file and table.
    static QHash<QString, QStringList> cache;
    const QString key = db.databaseName() + u'\n' + table.toLower();
    if (const auto it = cache.constFind(key); it != cache.constEnd()) return *it;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("select name, upper(type) from pragma_table_info(?) order by cid"));
    q.addBindValue(table);
    QStringList columns;
    if (q.exec())
        while (q.next())
            if (q.value(1).toString() != QLatin1String("BLOB")) columns.append(q.value(0).toString());
    if (!columns.isEmpty()) cache.insert(key, columns);
    return columns;
}

QString selectList(QSqlDatabase db, const QString& table, const QString& alias) {
    QStringList columns = listColumns(db, table);
    if (!alias.isEmpty())
        for (QString& c : columns) c.prepend(alias + u'.');
    return columns.join(QStringLiteral(", "));
}

}  // namespace TableColumns
