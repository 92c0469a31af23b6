#pragma once

#include <QString>
#include <QStringList>

class TdmData;

// An operator as the operator editor holds it.
struct OperatorForm {
    QString name;              // as typed; stored trimmed
    QString password;          // as typed, blanks included
    QString confirmation;
    QString memo;
    bool disabled = false;
    bool canAuditPayments = false;
    int traineeScope = 0;
    QString salesmanList;      // stored trimmed
    QStringList permissions;   // ticked permission names, in list order
};

// Reading and saving operators and their permission rows.
namespace OperatorStore {

enum class Problem { None, EmptyName, ConfirmationMismatch, DuplicateName, SaveFailed };

// The built-in administrator holds every permission and is never changed or deleted here.
bool isBuiltInAdmin(const QString& name);

// Names of the permissions an operator can be given, in code order.
QStringList permissionNames(TdmData& dm);
// Names of the permissions granted to the operator.
QStringList grantedPermissions(TdmData& dm, const QString& name);

// Checks and saves: the operator row and its permission rows in one transaction,
// all or nothing. editedId is the row being changed, 0 for a new operator. When
// changing, leaving both password boxes empty keeps the stored password. Rows
// granted under an earlier name stay where they are.
Problem save(TdmData& dm, const OperatorForm& form, qint64 editedId);

}  // namespace OperatorStore
