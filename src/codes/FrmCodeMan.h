#pragma once

#include <QDialog>

#include "HeldCodes.h"

class DataGrid;
class QAction;
class QButtonGroup;
class QLabel;
class QLineEdit;
class TdmData;

// The option-code dictionary: one button-style tab per code type, the type's
// codes in a two-column grid. Changes are held in the window until "保存";
// "删除" writes at once.
class TFrmCodeMan : public QDialog {
    Q_OBJECT
public:
    explicit TFrmCodeMan(TdmData& dm, QWidget* parent = nullptr);

    // The main window's 选项... command.
    static void run(TdmData& dm, QWidget* parent);

    QString typeKey() const { return typeKey_; }
    bool isEditing() const { return editing_; }
    void selectType(int tab);

    void newCode();
    void editCodes();
    void saveCodes();
    void cancelEdit();
    void deleteCode();
    void printCodes();
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QAction* addCommand(const char* name, const QString& text, void (TFrmCodeMan::*slot)());
    void setEditing(bool editing);
    void reload(qint64 currentRow);
    void placeEditors();
    bool flushEditors();
    // Runs the command of a window key when it is enabled; false when the key is not one.
    bool runKey(QKeyEvent* event);
    QString caption() const;

    TdmData& dm_;
    HeldCodes held_;
    QString typeKey_;
    int tab_ = 0;
    bool editing_ = false;
    DataGrid* grid_;
    QButtonGroup* tabs_;
    QAction *tbNew_, *tbEdit_, *tbDel_, *tbSave_, *tbCancel_, *tbPrint_, *tbRefresh_, *tbExit_;
    QList<QLineEdit*> editors_;  // name and code of every row while editing
};
