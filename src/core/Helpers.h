#pragma once

#include <QString>

// Password storage and database compaction, the services the windows expect of
// the helper library. Messages are in MessageService.h, window placement in the
// GUI layer (DispFormPos).

// The stored form of a password: an Argon2id hash; the empty password is stored
// as the empty text, as the delivered admin operator has it.
QString SavePass(const QString& password);
// True when the typed password (compared exactly, blanks included) matches the stored form.
bool CheckPass(const QString& stored, const QString& typed);

// Checks the database file's integrity, then rebuilds it in place (VACUUM). The
// caller closes its own connection first. True on success; on failure the file
// is left as it was.
bool CompactDatabase(const QString& path);
