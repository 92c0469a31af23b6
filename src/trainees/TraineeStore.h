#pragma once

#include <QDate>
#include <QList>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <optional>
#include <utility>

class TdmData;

// The trainee editor's work on T_employee that needs no window: numbering,
// the duplicate checks and the one statement that writes a trainee.
class TraineeStore {
public:
    // Column and value pairs of one trainee, in the order they are written.
    using Values = QList<std::pair<QString, QVariant>>;

    // The trainee's whole row, picture included; an empty record when there is none.
    static QSqlRecord read(TdmData& dm, qint64 id);

    // The greatest link number plus one (1 for an empty table).
    static qint64 nextLinkNumber(TdmData& dm);
    static bool linkNumberTaken(TdmData& dm, qint64 linkNumber);

    // The month's next automatic file number, "Y" + yyyymm + three digits.
    // Numbers typed by hand with the month's prefix but not ending in three
    // digits are not part of the sequence. nullopt when the month's 999 numbers
    // are all used. Throws NumberingError when the database cannot be read.
    static std::optional<QString> nextFileNumber(TdmData& dm, const QDate& today = QDate::currentDate());

    // True when a trainee other than ownId holds the number; blank numbers are never taken.
    static bool fileNumberTaken(TdmData& dm, const QString& fileNumber, qint64 ownId);
    static bool idCardTaken(TdmData& dm, const QString& idCard, qint64 ownId);

    // One INSERT (id 0) or UPDATE of the row with the key, in a transaction.
    // False when it failed; nothing is written then.
    static bool write(TdmData& dm, qint64 id, const Values& values);
};
