#include "ReportTablePages.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <cmath>
#include <set>

namespace {

// Below this many rows Qt lays the whole body out quickly enough, exactly as written.
constexpr int kMinRows = 300;

qsizetype countOf(QStringView text, QStringView what) {
    qsizetype n = 0;
    for (qsizetype at = text.indexOf(what, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(what, at + what.size(), Qt::CaseInsensitive))
        ++n;
    return n;
}

// Character references the report writes or a template may hold.
QString decodeEntity(QStringView name) {
    if (name == u"lt") return QStringLiteral("<");
    if (name == u"gt") return QStringLiteral(">");
    if (name == u"amp") return QStringLiteral("&");
    if (name == u"quot") return QStringLiteral("\"");
    if (name == u"apos") return QStringLiteral("'");
    if (name == u"nbsp") return QString(QChar(0xA0));
    if (name.startsWith(u'#')) {
        bool ok = false;
        const uint code = name.size() > 1 && (name[1] == u'x' || name[1] == u'X') ? name.mid(2).toUInt(&ok, 16)
                                                                               : name.mid(1).toUInt(&ok);
        if (ok && code > 0) return QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
    }
    return QString();
}

// Rough width of a text in the list's font: wide (CJK) characters count double.
int widthWeight(const QString& text) {
    int w = 0;
    for (QChar ch : text) w += ch.unicode() >= 0x2E80 ? 2 : 1;
    return w;
}

QRectF blockRect(QTextDocument& doc, const QTextTableCell& cell) {
    return doc.documentLayout()->blockBoundingRect(cell.firstCursorPosition().block());
}

}  // namespace

ReportTablePages::~ReportTablePages() = default;

bool ReportTablePages::parseRow(QStringView html, QStringList* cells) {
    cells->clear();
    bool inCell = false, space = false;
    QString cell;
    for (qsizetype i = 0; i < html.size();) {
        const QChar ch = html[i];
        if (ch == u'<') {
            const qsizetype end = html.indexOf(u'>', i);
            if (end < 0) return false;
            const QStringView tag = html.mid(i + 1, end - i - 1).trimmed();
            const bool closing = tag.startsWith(u'/');
            const QString name = (closing ? tag.mid(1) : tag).toString().section(u' ', 0, 0).toLower();
            i = end + 1;
            if (name == u"td" || name == u"th") {
                if (closing != inCell) return false;
                if (!closing && (tag.contains(u"colspan", Qt::CaseInsensitive) ||
                                 tag.contains(u"rowspan", Qt::CaseInsensitive)))
                    return false;
                if (closing) *cells << cell.trimmed();
                cell.clear();
                space = false;
                inCell = !closing;
            } else if (name == u"br" || name == u"br/") {
                if (!inCell) return false;
                while (cell.endsWith(u' ')) cell.chop(1);
                cell += u'\n';
                space = false;
            } else if (name != u"tr") {
                return false;  // any other markup in a row is left to Qt
            }
        } else if (ch == u'&') {
            const qsizetype end = html.indexOf(u';', i);
            const QString decoded = end < 0 ? QString() : decodeEntity(html.mid(i + 1, end - i - 1));
            if (decoded.isEmpty()) return false;
            if (inCell) cell += decoded;
            space = false;
            i = end + 1;
        } else {
            // Runs of blanks show as one blank, none at a line's start.
            if (ch.isSpace()) {
                if (inCell && !space && !cell.isEmpty() && !cell.endsWith(u'\n')) cell += u' ';
                space = true;
            } else if (inCell) {
                cell += ch;
                space = false;
            } else {
                return false;
            }
            ++i;
        }
    }
    return !inCell && !cells->isEmpty();
}

std::unique_ptr<ReportTablePages> ReportTablePages::create(const RenderedReport& rendered) {
    if (rendered.bodyBands.size() != 1) return nullptr;
    const RenderedReport::Band& band = rendered.bodyBands.first();
    if (band.rowEnds.size() < kMinRows) return nullptr;
    const QString& body = rendered.bodyHtml;
    const QStringView prefix = QStringView(body).left(band.start);
    const QStringView suffix = QStringView(body).mid(band.rowEnds.last());
    // The rows must sit in one table that the text before them opens and the text after closes.
    if (countOf(prefix, u"<table") - countOf(prefix, u"</table") != 1 ||
        prefix.lastIndexOf(u"<table", -1, Qt::CaseInsensitive) < prefix.lastIndexOf(u"</table", -1, Qt::CaseInsensitive) ||
        !suffix.contains(u"</table", Qt::CaseInsensitive))
        return nullptr;

    std::unique_ptr<ReportTablePages> pages(new ReportTablePages);
    pages->prefix_ = prefix.toString();
    pages->suffix_ = suffix.toString();
    pages->band_ = band;
    pages->body_ = body;  // shared, not copied
    pages->cells_.reserve(band.rowEnds.size());
    qsizetype from = band.start;
    QStringList cells;
    for (qsizetype end : band.rowEnds) {
        if (!parseRow(QStringView(body).mid(from, end - from), &cells)) return nullptr;
        if (!pages->cells_.isEmpty() && cells.size() != pages->cells_.first().size()) return nullptr;
        pages->cells_ << cells;
        from = end;
    }
    return pages;
}

double ReportTablePages::measureRow(int row) {
    double height = 0;
    const QStringList& cells = cells_[row];
    const int columns = int(columns_.size());
    for (int c = 0; c < columns; ++c) {
        const Column& col = columns_[c];
        const QString& text = cells[c];
        double h = col.lineHeight, advance = 0;
        if (!text.isEmpty() && !text.contains(u'\n')) advance = col.metrics.horizontalAdvance(text);
        if (text.contains(u'\n') || (col.wraps && advance > col.width)) {
            const int flags = col.wraps ? Qt::TextWordWrap : 0;
            const double lines = col.metrics.boundingRect(QRectF(0, 0, col.width, 1e6), flags, text).height() /
                                 col.metrics.lineSpacing();
            h = std::max(1.0, std::round(lines)) * col.lineHeight;
            advance = -1;
        }
        advances_[qsizetype(row) * columns + c] = float(advance);
        height = std::max(height, h);
    }
    return height + rowGap_;
}

int ReportTablePages::layout(const MakeDocument& makeDocument, QPaintDevice* device, double width, double bodyHeight) {
    // Sample rows: the first two, and the widest of each column so that the
    // columns get the widths a table of all rows would give them.
    std::set<int> samples{0, 1};
    for (int c = 0; c < cells_.first().size(); ++c) {
        int widest = 0, best = -1;
        for (int r = 0; r < cells_.size(); ++r)
            if (const int w = widthWeight(cells_[r][c]); w > best) best = w, widest = r;
        samples.insert(widest);
    }
    QString html = prefix_;
    for (int r : samples) {
        const qsizetype start = r == 0 ? band_.start : band_.rowEnds[r - 1];
        html += QStringView(body_).mid(start, band_.rowEnds[r] - start);
    }
    frame_ = makeDocument(html + suffix_);
    frame_->documentLayout()->setPaintDevice(device);
    frame_->setTextWidth(width);

    QList<QTextTable*> tables;
    for (QTextFrame* f : frame_->rootFrame()->childFrames())
        if (auto* t = qobject_cast<QTextTable*>(f)) tables << t;
    const int index = int(countOf(prefix_, u"<table")) - 1;
    const QStringView opening = QStringView(prefix_).mid(prefix_.lastIndexOf(u"<table", -1, Qt::CaseInsensitive));
    const int headerRows = int(countOf(opening, u"<tr"));
    if (index >= tables.size()) return 0;
    QTextTable* table = tables[index];
    const int columns = int(cells_.first().size());
    if (table->columns() != columns || table->rows() < headerRows + int(samples.size())) return 0;

    const auto rowTop = [&](int r) {
        double top = 1e12;
        for (int c = 0; c < columns; ++c) top = std::min(top, blockRect(*frame_, table->cellAt(r, c)).top());
        return top;
    };
    const auto rowBottom = [&](int r) {
        double bottom = 0;
        for (int c = 0; c < columns; ++c) bottom = std::max(bottom, blockRect(*frame_, table->cellAt(r, c)).bottom());
        return bottom;
    };
    const int first = headerRows, last = headerRows + int(samples.size()) - 1;
    rowGap_ = rowTop(first + 1) - rowBottom(first);
    const double firstTop = rowTop(first);
    columns_.clear();
    for (int c = 0; c < columns; ++c) {
        const QTextTableCell cell = table->cellAt(first, c);
        const QTextBlock block = cell.firstCursorPosition().block();
        const QRectF rect = blockRect(*frame_, cell);
        // Shaded rows or text backgrounds are left to Qt.
        if (cell.format().background().style() != Qt::NoBrush ||
            cell.firstCursorPosition().charFormat().background().style() != Qt::NoBrush ||
            block.blockFormat().background().style() != Qt::NoBrush)
            return 0;
        const QTextCharFormat format = cell.firstCursorPosition().charFormat();
        // A family from a style sheet is not marked as set: a painter would put its own in its place.
        QFont font = format.font();
        font.setFamily(font.family());
        Column col{rect.left(), rect.top() - firstTop, rect.width(), 0, font, QFontMetricsF(font, device),
                   block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, format.foreground().color(),
                   !block.blockFormat().nonBreakableLines(), 0, 0};
        const bool laidOut = block.layout() && block.layout()->lineCount() > 0;
        col.lineHeight = laidOut ? block.layout()->lineAt(0).height() : col.metrics.height();
        col.ascent = laidOut ? block.layout()->lineAt(0).ascent() : col.metrics.ascent();
        // Columns printed alike share a style, so the painter switches only between different ones.
        col.style = c;
        for (const Column& other : columns_)
            if (other.font == col.font && other.color == col.color) col.style = std::min(col.style, other.style);
        columns_ << col;
    }
    const QRectF tableRect = frame_->documentLayout()->frameBoundingRect(table);
    headerTop_ = headerRows > 0 ? tableRect.top() : firstTop - rowGap_ / 2;
    topEnd_ = firstTop - rowGap_ / 2;
    bottomStart_ = rowBottom(last) + rowGap_ / 2;
    bottomEnd_ = frame_->size().height();
    // Lines run halfway between neighbouring cells' texts, the outer ones as far out.
    const double gap = columns > 1 ? columns_[1].left - columns_[0].left - columns_[0].width : 0;
    tableLeft_ = columns > 1 ? columns_.first().left - gap / 2 : tableRect.left();
    tableRight_ = columns > 1 ? columns_.last().left + columns_.last().width + gap / 2 : tableRect.right();
    lineWidth_ = table->format().border();
    lineColor_ = table->format().borderBrush().color();

    const double headerHeight = topEnd_ - headerTop_, bottomHeight = bottomEnd_ - bottomStart_;
    if (topEnd_ > bodyHeight / 2 || headerHeight + bottomHeight > bodyHeight / 2) return 0;

    rowHeights_.resize(cells_.size());
    advances_.resize(cells_.size() * columns);
    pages_.clear();
    Page page;
    double y = topEnd_;
    for (int r = 0; r < cells_.size(); ++r) {
        rowHeights_[r] = measureRow(r);
        if (y + rowHeights_[r] > bodyHeight && r > page.firstRow) {
            page.endRow = r;
            pages_ << page;
            page = Page{r, r, false};
            y = headerHeight;
        }
        y += rowHeights_[r];
    }
    page.endRow = int(cells_.size());
    if (y + bottomHeight > bodyHeight) {
        pages_ << page;
        page = Page{page.endRow, page.endRow, false};
    }
    page.last = true;
    pages_ << page;
    return int(pages_.size());
}

void ReportTablePages::paintPage(QPainter& painter, int index) const {
    const Page& page = pages_[index];
    const auto drawPart = [&](double from, double to, double at) {
        painter.save();
        painter.translate(0, at - from);
        frame_->drawContents(&painter, QRectF(0, from, frame_->textWidth(), to - from));
        painter.restore();
    };
    const double top = index == 0 ? 0 : headerTop_;
    drawPart(top, topEnd_, 0);
    double y = topEnd_ - top;
    const double rowsTop = y;

    QList<QLineF> lines;
    int style = -1;
    painter.save();
    for (int r = page.firstRow; r < page.endRow; ++r) {
        const double h = rowHeights_[r];
        for (int c = 0; c < columns_.size(); ++c) {
            const QString& text = cells_[r][c];
            if (text.isEmpty()) continue;
            const Column& col = columns_[c];
            if (col.style != style) {
                style = col.style;
                painter.setFont(col.font);
                painter.setPen(col.color);
            }
            const double top = y + rowGap_ / 2 + col.top;
            const double advance = advances_[qsizetype(r) * columns_.size() + c];
            if (advance < 0) {
                painter.drawText(QRectF(col.left, top, col.width, h), int(col.align) | (col.wraps ? Qt::TextWordWrap : 0),
                                 text);
                continue;
            }
            // One line: placed by hand, which spares the painter a layout of its own.
            double x = col.left;
            if (col.align & Qt::AlignRight) x += col.width - advance;
            else if (col.align & Qt::AlignHCenter) x += (col.width - advance) / 2;
            painter.drawText(QPointF(x, top + col.ascent), text);
        }
        y += h;
        lines << QLineF(tableLeft_, y, tableRight_, y);
    }
    painter.restore();
    if (lineWidth_ > 0 && y > rowsTop) {
        lines << QLineF(tableLeft_, rowsTop, tableLeft_, y) << QLineF(tableRight_, rowsTop, tableRight_, y);
        for (int c = 1; c < columns_.size(); ++c) {
            const double x = (columns_[c - 1].left + columns_[c - 1].width + columns_[c].left) / 2;
            lines << QLineF(x, rowsTop, x, y);
        }
        painter.save();
        painter.setPen(QPen(lineColor_, lineWidth_));
        painter.drawLines(lines);
        painter.restore();
    }
    if (page.last) drawPart(bottomStart_, bottomEnd_, y);
}
