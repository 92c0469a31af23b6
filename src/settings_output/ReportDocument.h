#pragma once

#include <QFont>
#include <QPageLayout>
#include <QString>
#include <QTextDocument>
#include <memory>

#include "Report.h"

class QPrinter;


// A rendered report laid out on pages: painting for the preview, the printer
// and PDF, and the HTML and workbook exports. Reports always use WenQuanYi
// Micro Hei, the one CJK font whose PDFs keep a correct text layer.
class ReportDocument {
public:
    explicit ReportDocument(RenderedReport rendered);
    ~ReportDocument();

    static QFont reportFont();
    // A4, the template's orientation, its margins on every side.
    QPageLayout pageLayout() const;
    const RenderedReport& rendered() const { return rendered_; }

    // Lays the report out for the printer's page and paints every page with its
    // header and footer; returns the number of pages.
    int paint(QPrinter* printer) const;
    // The body as a document, for the designer's live view and for plain-text checks.
    std::unique_ptr<QTextDocument> bodyDocument() const;

    // Each export writes the whole file or leaves none.
    bool exportPdf(const QString& path) const;
    bool exportHtml(const QString& path) const;
    bool exportXlsx(const QString& path) const;
    // One HTML file with the pictures inside it.
    QString standaloneHtml() const;

private:
    std::unique_ptr<QTextDocument> document(const QString& html) const;

    RenderedReport rendered_;
};
