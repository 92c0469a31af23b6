#include "GridPrint.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTableView>
#include <QToolBar>
#include <algorithm>
#include <cstdio>

#include "DataGrid.h"
#include "DisplayRules.h"
#include "DispFormPos.h"
#include "MessageService.h"

namespace {

const QString kPrintFont = QStringLiteral("WenQuanYi Micro Hei");

struct PrintColumn {
    GridColumn column;
    double x = 0, width = 0;
};

// The grid draws a tick box for a Yes/No value; paper gets a tick mark.
QString printedText(const ResultModel& model, int row, const GridColumn& column) {
    if (column.kind == ColumnKind::YesNo)
        return DisplayRules::yesNo(model.value(row, column.fieldName)) ? QStringLiteral("√") : QString();
    return model.displayText(row, column);
}

int cellAlignment(const GridColumn& c, bool wrap) {
    return int(c.horizontalAlignment() | Qt::AlignVCenter) | (wrap ? int(Qt::TextWordWrap) : 0);
}

// Wide grids go on landscape pages, where they need to shrink less.
void chooseOrientation(QPrinter& printer, const DataGrid& grid) {
    double total = 0;
    for (const GridColumn& c : grid.columns())
        if (c.visible) total += std::max(1, c.width);
    printer.setPageOrientation(total * 25.4 / 96.0 > 190 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

}  // namespace

QString gridFooterText(const QString& footerText) {
    QString text = footerText;
    return text.replace(QLatin1String("date"),
                        QStringLiteral("打印日期：") + QDate::currentDate().toString(QStringLiteral("yyyy年MM月dd日")));
}

int renderGrid(QPrinter& printer, const DataGrid& grid, const GridPrintOptions& options) {
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    QPainter p;
    if (!p.begin(&printer)) return 0;
    const bool wrap = options.layoutMode == 0;

    std::vector<PrintColumn> columns;
    double total = 0;
    for (const GridColumn& c : grid.columns())
        if (c.visible) {
            columns.push_back({c});
            total += std::max(1, c.width);
        }
    // Drawing happens in screen pixels. A grid wider than the page is shrunk
    // whole, text included, so that every column stays readable; a narrower
    // one has its columns widened in proportion.
    const QRect device = printer.pageLayout().paintRectPixels(printer.resolution());
    const double pageWidth = device.width() * 96.0 / printer.resolution();
    const double scale = device.width() / std::max(total, pageWidth);
    p.scale(scale, scale);
    const QRectF page(0, 0, device.width() / scale, device.height() / scale);
    double x = 0;
    for (PrintColumn& pc : columns) {
        pc.x = x;
        pc.width = page.width() * std::max(1, pc.column.width) / std::max(1.0, total);
        x += pc.width;
    }

    const auto font = [](int pixels, bool bold) {
        QFont f(kPrintFont);
        f.setPixelSize(pixels);
        f.setBold(bold);
        return f;
    };
    // Titles and page edges keep their size on paper however much the grid shrinks.
    const double shrink = pageWidth / page.width();
    const QFont cellFont = font(12, false), titleFont = font(int(20 / shrink), true),
                edgeFont = font(int(12 / shrink), false);

    p.setFont(cellFont);
    const double pad = p.fontMetrics().height() * 0.3;
    const double lineHeight = p.fontMetrics().height() + 2 * pad;
    const ResultModel& model = *grid.model();
    const auto rowHeight = [&](int row) {
        if (!wrap) return lineHeight;
        double h = lineHeight;
        for (const PrintColumn& pc : columns) {
            const QRectF need = p.boundingRect(QRectF(0, 0, pc.width - 2 * pad, 1e6), cellAlignment(pc.column, true),
                                               printedText(model, row, pc.column));
            h = std::max(h, need.height() + 2 * pad);
        }
        return h;
    };

    p.setFont(edgeFont);
    const double edgeHeight = p.fontMetrics().height() * 1.6;
    p.setFont(titleFont);
    const double titleHeight = p.fontMetrics().height() * 3;  // an empty line, the title, an empty line
    const double bodyTop = edgeHeight, bodyBottom = page.height() - edgeHeight;
    const QString footer = gridFooterText(options.footerText).trimmed();

    // Pages are laid out first so that every page can say how many there are.
    std::vector<int> pageStarts{0};
    std::vector<double> heights(size_t(model.rowCount()));
    p.setFont(cellFont);
    double y = bodyTop + titleHeight + lineHeight;
    for (int row = 0; row < model.rowCount(); ++row) {
        heights[size_t(row)] = rowHeight(row);
        if (y + heights[size_t(row)] > bodyBottom && row > pageStarts.back()) {
            pageStarts.push_back(row);
            y = bodyTop + lineHeight;
        }
        y += heights[size_t(row)];
    }
    if (y + lineHeight > bodyBottom && model.rowCount() > pageStarts.back()) pageStarts.push_back(model.rowCount());
    const int pages = int(pageStarts.size());


    for (int pageNo = 0; pageNo < pages; ++pageNo) {
        if (pageNo > 0) printer.newPage();
        p.setPen(Qt::black);
        p.setFont(edgeFont);
        if (!options.headerText.trimmed().isEmpty())
            p.drawText(QRectF(0, 0, page.width(), edgeHeight), int(Qt::AlignLeft | Qt::AlignVCenter),
                       options.headerText);
        const QRectF footerBox(0, page.height() - edgeHeight, page.width(), edgeHeight);
        p.drawText(footerBox, int(Qt::AlignHCenter | Qt::AlignVCenter),
                   QStringLiteral("第 %1 页 / 共 %2 页").arg(pageNo + 1).arg(pages));
        if (!footer.isEmpty()) p.drawText(footerBox, int(Qt::AlignRight | Qt::AlignVCenter), footer);

        double top = bodyTop;
        if (pageNo == 0) {
            p.setFont(titleFont);
            p.drawText(QRectF(0, top, page.width(), titleHeight), int(Qt::AlignCenter), options.title);
            top += titleHeight;
        }
        p.setFont(cellFont);
        for (const PrintColumn& pc : columns) {
            const QRectF cell(pc.x, top, pc.width, lineHeight);
            p.fillRect(cell, QColor(230, 230, 230));
            p.drawRect(cell);
            p.drawText(cell.adjusted(pad, 0, -pad, 0), int(Qt::AlignCenter), pc.column.caption);
        }
        top += lineHeight;
        const int end = pageNo + 1 < pages ? pageStarts[size_t(pageNo) + 1] : model.rowCount();
        for (int row = pageStarts[size_t(pageNo)]; row < end; ++row) {
            const double h = heights[size_t(row)];
            for (const PrintColumn& pc : columns) {
                const QRectF cell(pc.x, top, pc.width, h);
                p.drawRect(cell);
                QString text = printedText(model, row, pc.column);
                if (!wrap) text = p.fontMetrics().elidedText(text, Qt::ElideRight, int(pc.width - 2 * pad));
                p.drawText(cell.adjusted(pad, 0, -pad, 0), cellAlignment(pc.column, wrap), text);
            }
            top += h;
        }
        if (pageNo + 1 == pages) {
            for (const PrintColumn& pc : columns) {
                const QRectF cell(pc.x, top, pc.width, lineHeight);
                p.fillRect(cell, QColor(240, 240, 240));
                p.drawRect(cell);
                p.drawText(cell.adjusted(pad, 0, -pad, 0), cellAlignment(pc.column, false),
                           model.footerText(pc.column));
            }
        }
    }
    p.end();
    return pages;
}

int printGridToPdf(const DataGrid& grid, const GridPrintOptions& options, const QString& path) {
    const QString partial = path + QStringLiteral(".part");
    int pages = 0;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        chooseOrientation(printer, grid);
        printer.setOutputFileName(partial);
        pages = renderGrid(printer, grid, options);
    }
    // Replacing by rename keeps an earlier file of that name until the new one is whole.
    if (pages == 0 || std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(partial);
        return 0;
    }
    return pages;
}

void PrintGrid(DataGrid* grid, const QString& title, int layoutMode, const QString& footerText,
               const QString& headerText) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setColorMode(QPrinter::Color);
    chooseOrientation(printer, *grid);
    QPrintPreviewDialog preview(&printer, grid->window());
    preview.setObjectName(QStringLiteral("gridPrintPreview"));
    preview.setWindowTitle(title);
    const GridPrintOptions options{title, layoutMode, footerText, headerText};
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [grid, &options](QPrinter* target) { renderGrid(*target, *grid, options); });
    if (auto* bar = preview.findChild<QToolBar*>()) {
        QAction* pdf = bar->addAction(QStringLiteral("导出PDF"));
        pdf->setObjectName(QStringLiteral("actExportPdf"));
        QObject::connect(pdf, &QAction::triggered, &preview, [grid, &options, title] {
            const QString path = messageService().chooseSaveFile(
                QStringLiteral("导出PDF"), QDir::home().filePath(title + QStringLiteral(".pdf")),
                QStringLiteral("PDF 文件 (*.pdf)"));
            if (!path.isEmpty() && printGridToPdf(*grid, options, path) == 0)
                ShowMess(QStringLiteral("导出PDF失败，文件“%1”没有写成。请检查该文件夹是否可写、磁盘空间是否足够。")
                             .arg(QDir::toNativeSeparators(path)),
                         3);
        });
    }
    DispFormPos(&preview, 0);
    preview.exec();
}
