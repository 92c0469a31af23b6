#include "ReportSource.h"

#include <QSqlQuery>
#include <QSqlRecord>

int ReportSource::columnIndex(const QString& column) const {
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].compare(column, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QVariant ReportSource::valueAt(int row, int column) const {
    if (column < 0 || row < 0 || row >= rows.size() || column >= rows[row].size()) return {};
    return rows[row][column];
}

bool ReportSource::isPictureColumn(const QString& column) {
    static const QStringList pictures = {"F_empImage", "F_CarImage1", "F_CarImage2", "F_CarImage3"};
    return pictures.contains(column, Qt::CaseInsensitive);
}

ReportSource ReportSource::fromQuery(const QString& name, QSqlQuery& query, int current) {
    ReportSource source;
    source.name = name;
    source.current = current;
    const QSqlRecord record = query.record();
    QList<int> kept;
    for (int i = 0; i < record.count(); ++i) {
        if (isPictureColumn(record.fieldName(i))) continue;
        kept << i;
        source.columns << record.fieldName(i);
    }
    // A window's query may already stand on some row: read it whole from the
    // start, running a forward-only one again (a prepared one with the same values).
    bool more = false;
    if (query.at() == QSql::BeforeFirstRow) more = query.next();
    else if (!query.isForwardOnly()) more = query.first();
    else more = (query.exec() || query.exec(query.lastQuery())) && query.next();
    for (; more; more = query.next()) {
        QVariantList row;
        row.reserve(kept.size());
        for (int i : kept) row << query.value(i);
        source.rows << row;
    }
    return source;
}
