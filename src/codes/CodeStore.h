#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

class TdmData;

// The statements over t_code that pick lists and the code picker share. Type
// keys are compared without regard to case (the column is NOCASE), so the
// spellings different windows use (xueLi, xueLI, xueli) reach the same codes.
class CodeStore {
public:
    struct Statement {
        QString sql;
        QVariantList params;
    };

    // A pick list's entries: an empty entry, then the distinct non-blank names.
    static QStringList pickItems(TdmData& dm, const QString& typeKey);
    // The picker's list when it opens: non-blank names in name order.
    static Statement pickerList(const QString& typeKey);
    // The picker's search: codes whose name (and mnemonic code) contain the
    // trimmed texts as typed, blank names included, in stored order.
    static Statement search(const QString& typeKey, const QString& name, const QString& mnemonic);
    // Writes one code at once; its F_ID, or 0 when the write failed (already reported).
    static qint64 add(TdmData& dm, const QString& typeKey, const QString& name);
};
