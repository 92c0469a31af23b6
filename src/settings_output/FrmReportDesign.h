#pragma once

#include <QDialog>
#include <QTextDocument>
#include <QTimer>
#include <memory>

class QPlainTextEdit;

class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class Report;

// The template designer: the template source, the fields of the bound data
// sources (a double-click inserts one) and a live preview from the bound rows.
// "保存" writes the template back, asking for a file name for a new template.
class TfrmReportDesign : public QDialog {
    Q_OBJECT
public:
    // templateDir: where a new template is suggested to go.
    TfrmReportDesign(Report& report, QString templateDir, QWidget* parent = nullptr);

    // Writes the source to the template file; false when cancelled or failed.
    bool save();

    // Closing (关闭, Esc, the window's close box) asks about unsaved changes.
    void reject() override;

private:
    void fillFields();
    void insertField(QTreeWidgetItem* item);
    void refreshPreview();
    void showFullPreview();
    void updateTitle();
    bool confirmClose();

    Report& report_;
    QString templateDir_;
    QPlainTextEdit* source_;
    QTreeWidget* fields_;
    QTextBrowser* preview_;
    std::unique_ptr<QTextDocument> previewDocument_;
    QTimer refresh_;
};
