#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Lists read every column of a table except its picture blobs: a school with
// photos of thousands of trainees must not move them on every keystroke. An
// editor reads the pictures of its one record by key.
namespace TableColumns {

// The table's non-blob column names in table order.
QStringList listColumns(QSqlDatabase db, const QString& table);
// The same as a select list, each name prefixed with "alias." when an alias is given.
QString selectList(QSqlDatabase db, const QString& table, const QString& alias = QString());

}  // namespace TableColumns
