#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QStringList>
#include <functional>
#include <memory>

#include "Report.h"

class QPainter;
class QPaintDevice;
class QTextDocument;

// A long list report paged row by row. Qt lays a table out as a whole, which
// takes minutes for a school's full trainee list; here Qt lays out only the
// part above the list's rows, the column header and the part below them (with
// a few sample rows fixing the column widths), and the rows themselves are
// measured and painted one by one in those columns. Used only for a body with
// one band of plain table rows (text and line breaks in their cells).
class ReportTablePages {
public:
    // Null when the body is not such a list or its rows are too few to matter.
    static std::unique_ptr<ReportTablePages> create(const RenderedReport& rendered);
    ~ReportTablePages();

    // Lays the list out on pages of the body's size; returns the page count.
    using MakeDocument = std::function<std::unique_ptr<QTextDocument>(const QString& html)>;
    int layout(const MakeDocument& makeDocument, QPaintDevice* device, double width, double bodyHeight);
    // Paints one page's body (0-based) at the painter's origin.
    void paintPage(QPainter& painter, int page) const;

    // The cells of one table row of markup; false for anything but plain cells.
    static bool parseRow(QStringView html, QStringList* cells);

private:
    ReportTablePages() = default;

    struct Column {
        double left, top, width, lineHeight;  // the text's place within a row
        QFont font;
        QFontMetricsF metrics;
        Qt::Alignment align;
        QColor color;
        bool wraps;
        int style;  // the first column with the same font and colour
        double ascent;
    };
    struct Page {
        int firstRow = 0, endRow = 0;
        bool last = false;
    };
    // Height of a row, noting each cell's width on one line (-1 when it takes several).
    double measureRow(int row);

    QString prefix_, suffix_;
    QString body_;
    RenderedReport::Band band_;
    QList<QStringList> cells_;
    std::unique_ptr<QTextDocument> frame_;  // the part above, the header and the part below, around sample rows
    QList<Column> columns_;
    QList<double> rowHeights_;
    QList<float> advances_;  // row by row, column by column
    double rowGap_ = 0;
    double topEnd_ = 0, headerTop_ = 0, bottomStart_ = 0, bottomEnd_ = 0;
    double tableLeft_ = 0, tableRight_ = 0;
    QColor lineColor_;
    double lineWidth_ = 1;
    QList<Page> pages_;
};
