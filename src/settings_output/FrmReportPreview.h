#pragma once

#include <QPrintPreviewDialog>

#include "ReportDocument.h"

class QAction;

// The report preview: pages at 100 %, print, page setup and zoom from the
// standard preview, plus export to PDF, HTML and Excel.
class TfrmReportPreview : public QPrintPreviewDialog {
    Q_OBJECT
public:
    explicit TfrmReportPreview(RenderedReport rendered, QWidget* parent = nullptr);

    const ReportDocument& document() const { return document_; }
    // Pages of the last layout the preview painted.
    int pageCount() const { return pages_; }

private:
    enum class Format { Pdf, Html, Xlsx };
    QAction* addExport(const QString& objectName, const QString& text, Format format);
    void exportTo(Format format);

    ReportDocument document_;
    int pages_ = 0;
};
