#pragma once

#include <QList>
#include <QString>
#include <Qt>

// How a column's values are shown and exported.
enum class ColumnKind {
    Plain,         // texts and numbers as stored; date texts before 1901-08-14 show blank
    YesNo,         // 0/1 flags: a tick in the grid, True/False in exports
    PaymentState,  // F_SKflag: 未付清 / 已付清 / 其  他, its number in exports
};

// One column of a grid, as a cfg_Grid row describes it.
struct GridColumn {
    enum Alignment { Left = 0, Centre = 1, Right = 2 };
    enum Footer { NoFooter = 0, StaticText = 1, Sum = 2 };

    QString fieldName;
    QString caption;
    int width = 80;
    bool visible = true;
    bool readOnly = true;
    int alignment = Left;
    QString displayFormat;  // number format of the cells and the footer, e.g. "0.00"
    QString footerValue;    // the text of a StaticText footer
    int footerType = NoFooter;
    ColumnKind kind = ColumnKind::Plain;
    // Memo columns take a sort mark on a title click but keep the row order.
    bool memo = false;

    Qt::Alignment horizontalAlignment() const;

    // A column with the kind and memo flag its field name implies.
    static GridColumn forField(const QString& fieldName, const QString& caption, int width = 80);
    static ColumnKind kindOfField(const QString& fieldName);
};

using GridColumns = QList<GridColumn>;
