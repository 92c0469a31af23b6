#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class TdmData;

// Picks the salesmen whose trainees an operator may see, as the list text
// 'A','B' that operator management stores.
class TDLGselectEmpSTR : public QDialog {
    Q_OBJECT
public:
    // The staff who have not left, each ticked when it occurs in `given`.
    TDLGselectEmpSTR(TdmData& dm, const QString& given, QWidget* parent = nullptr);

    // Shows the picker and returns the new list text, or `given` when cancelled
    // or when there is nobody to choose.
    static QString pick(TdmData& dm, const QString& given, QWidget* parent = nullptr);

    bool isEmpty() const;
    // The list text of the ticked names.
    QString resultText() const;

    // A name counts as chosen when it occurs anywhere in the given text, so a
    // name that is part of a listed name is chosen too.
    static bool preTicked(const QString& name, const QString& given);
    // 'A','B' for the names A and B; the empty text for none.
    static QString listText(const QStringList& names);

private:
    QListWidget* list_;
};
