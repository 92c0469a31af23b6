#include "ReportDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>
#include <xlsxwriter.h>

#include "ReportTablePages.h"

namespace {

// Space between the body and a page header or footer.
constexpr double kBandGap = 6;

// Paints one laid-out document at the painter's origin, only the part inside `clip`.
void drawDocument(QPainter& painter, QTextDocument& doc, const QPointF& at, const QRectF& clip) {
    painter.save();
    painter.translate(at);
    doc.drawContents(&painter, clip);
    painter.restore();
}

// A page header or footer laid out once: from page to page only its page
// numbers change, and a long report has hundreds of pages.
class PageBand {
public:
    explicit PageBand(std::unique_ptr<QTextDocument> doc) : doc_(std::move(doc)) {
        doc_->setUndoRedoEnabled(false);
        for (const QString& mark : {RenderedReport::pageMark(), RenderedReport::pageCountMark()})
            for (QTextCursor c = doc_->find(mark); !c.isNull(); c = doc_->find(mark, c))
                fields_ << Field{c, mark == RenderedReport::pageMark()};
    }

    QTextDocument& forPage(int page, int pages) {
        for (Field& field : fields_) {
            const int start = field.cursor.selectionStart();
            field.cursor.insertText(QString::number(field.isPage ? page : pages));
            const int end = field.cursor.position();
            field.cursor.setPosition(start);
            field.cursor.setPosition(end, QTextCursor::KeepAnchor);
        }
        return *doc_;
    }

private:
    struct Field {
        QTextCursor cursor;
        bool isPage;
    };
    std::unique_ptr<QTextDocument> doc_;
    QList<Field> fields_;
};

// Rows of the workbook: every table of the report row by row, every other
// paragraph as a row of its own.
QList<QStringList> workbookRows(QTextDocument& doc) {
    QList<QStringList> rows;
    for (auto it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
            for (int r = 0; r < table->rows(); ++r) {
                QStringList cells;
                for (int c = 0; c < table->columns(); ++c) {
                    const QTextTableCell cell = table->cellAt(r, c);
                    const bool first = cell.row() == r && cell.column() == c;
                    QTextCursor cursor = cell.firstCursorPosition();
                    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                    cells << (first ? cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n').trimmed()
                                    : QString());
                }
                rows << cells;
            }
        } else if (it.currentBlock().isValid() && !it.currentBlock().text().trimmed().isEmpty()) {
            rows << QStringList{it.currentBlock().text().trimmed()};
        }
    }
    return rows;
}

}  // namespace

ReportDocument::ReportDocument(RenderedReport rendered) : rendered_(std::move(rendered)) {}
ReportDocument::~ReportDocument() = default;

QFont ReportDocument::reportFont() {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPointSizeF(10);
    return font;
}

QPageLayout ReportDocument::pageLayout() const {
    const double m = rendered_.marginMm;
    return QPageLayout(QPageSize(QPageSize::A4),
                       rendered_.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(m, m, m, m), QPageLayout::Millimeter);
}

std::unique_ptr<QTextDocument> ReportDocument::document(const QString& html) const {
    auto doc = std::make_unique<QTextDocument>();
    doc->setDefaultFont(reportFont());
    doc->setDocumentMargin(0);
    for (int i = 0; i < rendered_.pictures.size(); ++i)
        doc->addResource(QTextDocument::ImageResource, QUrl(RenderedReport::pictureUrl(i)),
                         QImage::fromData(rendered_.pictures[i]));
    doc->setHtml(html);
    return doc;
}

std::unique_ptr<QTextDocument> ReportDocument::bodyDocument() const { return document(rendered_.bodyHtml); }

int ReportDocument::paint(QPrinter* printer) const {
    QPainter painter;
    if (!painter.begin(printer)) return 0;
    const QRectF area(QPointF(0, 0), printer->pageRect(QPrinter::DevicePixel).size());

    // Header and footer heights are taken from the first page's texts; a page
    // number never changes a line count.
    const auto band = [&](const QString& html) -> std::unique_ptr<PageBand> {
        if (html.trimmed().isEmpty()) return nullptr;
        auto doc = document(html);
        doc->documentLayout()->setPaintDevice(printer);
        doc->setTextWidth(area.width());
        return std::make_unique<PageBand>(std::move(doc));
    };
    const auto header = band(rendered_.pageHeaderHtml);
    const auto footer = band(rendered_.pageFooterHtml);
    const double headerHeight = header ? header->forPage(1, 1).size().height() + kBandGap : 0;
    const double footerHeight = footer ? footer->forPage(1, 1).size().height() + kBandGap : 0;

    const double bodyHeight = std::max(area.height() - headerHeight - footerHeight, area.height() / 4);
    // A long list is paged row by row; anything else Qt pages as one document.
    auto list = ReportTablePages::create(rendered_);
    int pages = list ? list->layout([this](const QString& html) { return document(html); }, printer, area.width(),
                                    bodyHeight)
                     : 0;
    std::unique_ptr<QTextDocument> body;
    if (pages == 0) {
        list.reset();
        body = bodyDocument();
        body->documentLayout()->setPaintDevice(printer);
        body->setPageSize(QSizeF(area.width(), bodyHeight));
        pages = std::max(1, body->pageCount());
    }

    for (int page = 0; page < pages; ++page) {
        if (page > 0) printer->newPage();
        if (header)
            drawDocument(painter, header->forPage(page + 1, pages), area.topLeft(), QRectF(QPointF(0, 0), area.size()));
        if (list) {
            painter.save();
            painter.translate(0, headerHeight);
            list->paintPage(painter, page);
            painter.restore();
        } else {
            const QRectF slice(0, page * bodyHeight, area.width(), bodyHeight);
            drawDocument(painter, *body, QPointF(0, headerHeight - slice.top()), slice);
        }
        if (footer) {
            QTextDocument& doc = footer->forPage(page + 1, pages);
            drawDocument(painter, doc, QPointF(0, area.height() - doc.size().height()), QRectF(QPointF(0, 0), area.size()));
        }
    }
    painter.end();
    return pages;
}

bool ReportDocument::exportPdf(const QString& path) const {
    const QString part = path + QStringLiteral(".part");
    {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(part);
        printer.setPageLayout(pageLayout());
        if (paint(&printer) == 0) {
            QFile::remove(part);
            return false;
        }
    }
    QFile::remove(path);
    return QFile::rename(part, path);
}

QString ReportDocument::standaloneHtml() const {
    QString html = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                                  "<style>body { font-family: 'WenQuanYi Micro Hei'; font-size: 10pt; }</style>"
                                  "</head><body>\n") +
                   RenderedReport::forPage(rendered_.pageHeaderHtml, 1, 1) + rendered_.bodyHtml +
                   RenderedReport::forPage(rendered_.pageFooterHtml, 1, 1) + QStringLiteral("\n</body></html>\n");
    for (int i = 0; i < rendered_.pictures.size(); ++i) {
        QBuffer buffer(const_cast<QByteArray*>(&rendered_.pictures[i]));
        const QByteArray format = QImageReader(&buffer).format();
        const QString uri = QStringLiteral("data:image/%1;base64,%2")
                                .arg(QString::fromLatin1(format.isEmpty() ? QByteArray("png") : format),
                                     QString::fromLatin1(rendered_.pictures[i].toBase64()));
        html.replace(u'"' + RenderedReport::pictureUrl(i) + u'"', u'"' + uri + u'"');
    }
    return html;
}

bool ReportDocument::exportHtml(const QString& path) const {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(standaloneHtml().toUtf8()) >= 0 && file.commit();
}

bool ReportDocument::exportXlsx(const QString& path) const {
    auto body = bodyDocument();
    const QList<QStringList> rows = workbookRows(*body);
    const QString part = QFileInfo(path).dir().filePath(QFileInfo(path).fileName() + QStringLiteral(".part.xlsx"));
    const QByteArray partName = QFile::encodeName(part);
    lxw_workbook* workbook = workbook_new(partName.constData());
    if (!workbook) return false;
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    int widest = 0;
    for (int r = 0; r < rows.size(); ++r) {
        widest = std::max(widest, int(rows[r].size()));
        for (int c = 0; c < rows[r].size(); ++c)
            if (!rows[r][c].isEmpty())
                worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), rows[r][c].toUtf8().constData(), nullptr);
    }
    if (widest > 0) worksheet_set_column(sheet, 0, lxw_col_t(widest - 1), 14, nullptr);
    if (workbook_close(workbook) != LXW_NO_ERROR) {
        QFile::remove(part);
        return false;
    }
    QFile::remove(path);
    return QFile::rename(part, path);
}
