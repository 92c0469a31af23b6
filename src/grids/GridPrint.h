#pragma once

#include <QString>

class DataGrid;
class QPrinter;

// What PrintGrid puts around the grid's rows.
struct GridPrintOptions {
    QString title;
    // 0: fit to the page width, rows grow to show their whole text;
    // 1 (and any other value): fit to the page width, one line per row.
    int layoutMode = 1;
    QString footerText;  // right of the page footer; "date" becomes the print date
    QString headerText;  // left of the page header
};

// Paints the grid's visible columns and all its rows, in the grid's order, onto
// the printer: the title on the first page, the column titles on every page, the
// footer row after the last row. Returns the number of pages.
int renderGrid(QPrinter& printer, const DataGrid& grid, const GridPrintOptions& options);
// Renders the grid into a PDF file, which appears only when complete; the
// number of pages, 0 when the file could not be written.
int printGridToPdf(const DataGrid& grid, const GridPrintOptions& options, const QString& path);
// The footer text with "date" replaced by "打印日期：" and today's date.
QString gridFooterText(const QString& footerText);

// The print preview of the grid, from which the user prints, or saves a PDF
// with the preview's "导出PDF" button.
void PrintGrid(DataGrid* grid, const QString& title, int layoutMode, const QString& footerText,
               const QString& headerText);
