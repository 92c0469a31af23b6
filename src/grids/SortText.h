#pragma once

#include <QList>
#include <QString>

// The sort text the grids accept: "F_code ASC,F_BMdate DESC", entries separated
// by commas; a trailing comma and blanks around entries are allowed.
namespace SortText {

struct Key {
    QString field;
    bool descending = false;
    bool operator==(const Key&) const = default;
};

// nullopt-like failure is signalled by *ok = false (an entry without a field
// name or with an order other than ASC/DESC); the keys read so far are dropped.
QList<Key> parse(const QString& text, bool* ok = nullptr);

// One row of the sort dialog: a column title and its chosen order (0 none, 1 ascending, 2 descending).
struct DialogRow {
    QString title;
    int order = 0;
};
// One column of the grid the dialog was opened on: field name and title.
struct FieldTitle {
    QString field;
    QString title;
};

// The text of the sort dialog: for each ordered row from the top, the field of
// the first column with that title (so two columns of the same title both sort by
// the first one's field), lower-cased, + " ASC," or " DESC,". Empty when no row has an order.
QString fromDialogRows(const QList<DialogRow>& rows, const QList<FieldTitle>& columns);

}  // namespace SortText
