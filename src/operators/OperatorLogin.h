#pragma once

#include <QString>

#include "CurrentOperator.h"

class TdmData;

// Login without windows: the checks of the login window and what a successful
// login loads.
namespace OperatorLogin {

enum class Check { Ok, EmptyName, UnknownOperator, WrongPassword };

// Checks a name and password as typed; the name is trimmed, the password is not.
Check check(TdmData& dm, const QString& typedName, const QString& password);

// The operator's values as stored now: scope, salesman list and audit right from
// OperList (defaults when the row is missing), custom settings 1-15 from
// KeyValue, the money format, and automatic numbering from config.ini.
OperatorValues load(TdmData& dm, const QString& name);

// The success steps: the loaded values become the current operator's, the name
// is remembered in config.ini for the next login, and the login is logged.
void complete(TdmData& dm, const QString& typedName);

}  // namespace OperatorLogin
