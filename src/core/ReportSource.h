#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class QSqlQuery;

// Rows a window hands to a report under a data-source user name (frxDM,
// frxMain, frxDetail1...). A plain copy, so the window may requery afterwards.
struct ReportSource {
    QString name;
    QStringList columns;
    QList<QVariantList> rows;
    int current = 0;  // the row that fields outside a band read

    bool isEmpty() const { return rows.isEmpty(); }
    // Column position by name, any letter case (the database ignores it too); -1 when absent.
    int columnIndex(const QString& column) const;
    QVariant value(int row, const QString& column) const { return valueAt(row, columnIndex(column)); }
    // By column position; null outside the rows and columns.
    QVariant valueAt(int row, int column) const;
    QVariant currentValue(const QString& column) const { return value(current, column); }

    // Every row of an executed query, picture blobs left out: reports of lists
    // never move photos; a report that shows one reads it by key.
    static ReportSource fromQuery(const QString& name, QSqlQuery& query, int current = 0);
    static bool isPictureColumn(const QString& column);
};
