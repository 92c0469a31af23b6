#include "GridColumn.h"

#include <QSet>

ColumnKind GridColumn::kindOfField(const QString& fieldName) {
    // The schema's Yes/No columns; matched like the database matches names.
    static const QSet<QString> yesNoFields = {"f_useflag", "f_kemu1", "f_kemu2", "f_zk1",   "f_7x3",
                                              "f_kemu3",   "f_iftg",  "f_flag",  "f_xtflag"};
    const QString name = fieldName.toLower();
    if (name == QLatin1String("f_skflag")) return ColumnKind::PaymentState;
    if (yesNoFields.contains(name)) return ColumnKind::YesNo;
    return ColumnKind::Plain;
}

GridColumn GridColumn::forField(const QString& fieldName, const QString& caption, int width) {
    GridColumn c;
    c.fieldName = fieldName;
    c.caption = caption;
    c.width = width;
    c.kind = kindOfField(fieldName);
    c.memo = fieldName.toLower().contains(QLatin1String("mem"));
    return c;
}

Qt::Alignment GridColumn::horizontalAlignment() const {
    if (alignment == Centre) return Qt::AlignHCenter;
    if (alignment == Right) return Qt::AlignRight;
    return Qt::AlignLeft;
}
