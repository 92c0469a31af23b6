#include "FrmReportPreview.h"

#include <QAction>
#include <QDir>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>

#include "MessageService.h"

TfrmReportPreview::TfrmReportPreview(RenderedReport rendered, QWidget* parent)
    : QPrintPreviewDialog(parent), document_(std::move(rendered)) {
    setObjectName(QStringLiteral("TfrmReportPreview"));
    setWindowTitle(QStringLiteral("报表预览"));
    printer()->setPageLayout(document_.pageLayout());
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { pages_ = document_.paint(target); });

    if (auto* toolbar = findChild<QToolBar*>()) {
        toolbar->addSeparator();
        toolbar->addAction(addExport(QStringLiteral("actExportPdf"), QStringLiteral("导出PDF"), Format::Pdf));
        toolbar->addAction(addExport(QStringLiteral("actExportHtml"), QStringLiteral("导出HTML"), Format::Html));
        toolbar->addAction(addExport(QStringLiteral("actExportXlsx"), QStringLiteral("导出Excel"), Format::Xlsx));
    }
    if (auto* view = findChild<QPrintPreviewWidget*>()) {
        view->setZoomMode(QPrintPreviewWidget::CustomZoom);
        view->setZoomFactor(1.0);
    }
}

QAction* TfrmReportPreview::addExport(const QString& objectName, const QString& text, Format format) {
    auto* action = new QAction(text, this);
    action->setObjectName(objectName);
    connect(action, &QAction::triggered, this, [this, format] { exportTo(format); });
    return action;
}

void TfrmReportPreview::exportTo(Format format) {
    static const struct {
        const char* suffix;
        const char* filter;
    } kinds[] = {{".pdf", "PDF 文件 (*.pdf)"}, {".html", "HTML 文件 (*.html *.htm)"}, {".xlsx", "Excel 文件 (*.xlsx)"}};
    const auto& kind = kinds[int(format)];
    const QString suffix = QString::fromLatin1(kind.suffix);
    QString path = messageService().chooseSaveFile(QStringLiteral("导出报表"), QDir::homePath() + QStringLiteral("/报表") + suffix,
                                                   QString::fromUtf8(kind.filter));
    if (path.isEmpty()) return;
    if (!path.endsWith(suffix, Qt::CaseInsensitive) && !(format == Format::Html && path.endsWith(u".htm")))
        path += suffix;
    const bool ok = format == Format::Pdf    ? document_.exportPdf(path)
                    : format == Format::Html ? document_.exportHtml(path)
                                             : document_.exportXlsx(path);
    ShowMess(ok ? QStringLiteral("报表已导出到：%1").arg(path) : QStringLiteral("报表导出失败：%1").arg(path),
             ok ? MessageService::Information : MessageService::Error);
}
