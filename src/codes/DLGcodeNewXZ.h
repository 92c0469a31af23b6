#pragma once

#include <QDialog>

class DataGrid;
class QComboBox;
class QLineEdit;
class TdmData;

// The code picker behind the small buttons beside the pick lists: it lists the
// codes of one type, searches them as the user types, adds a code at once, and
// selects the chosen name in the caller's list box.
class TDLGcodeNewXZ : public QDialog {
    Q_OBJECT
public:
    TDLGcodeNewXZ(TdmData& dm, QWidget* parent = nullptr);

    // What every caller does: one pick of a code of the type into the list box.
    static QString pick(TdmData& dm, QWidget* caller, const QString& typeKey, const QString& caption,
                        QComboBox* listBox);

    void setTypeKey(const QString& typeKey) { typeKey_ = typeKey; }
    // Shows the dialog modally; returns the chosen name, empty when the user closed it.
    QString pick(QComboBox* listBox);

    void search();
    void addCode();

private:
    bool eventFilter(QObject* watched, QEvent* event) override;

    TdmData& dm_;
    QString typeKey_;
    bool added_ = false;
    QLineEdit* edtcode_;
    QLineEdit* edtname_;
    DataGrid* grid_;
};
