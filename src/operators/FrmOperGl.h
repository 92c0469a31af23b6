#pragma once

#include <QDialog>

class DataGrid;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TdmData;

// The operator list: operators are added, changed and deleted here. The
// built-in administrator is listed but can be neither changed nor deleted.
class TfrmOperGl : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOperGl(TdmData& dm, QWidget* parent = nullptr);

    DataGrid* grid() const { return grid_; }

private:
    // Reopens the list (disabled operators only while ticked) and makes the named operator current.
    void openList(const QString& currentName = {});
    void showCurrent();
    void openEditor(qint64 editedId);
    void editClicked();
    void deleteClicked();

    TdmData& dm_;
    DataGrid* grid_;
    QCheckBox* showDisabled_;
    QPlainTextEdit* memo_;
    QCheckBox* audit_;
    QLabel* scope_;
    QLineEdit* salesmen_;
};
