#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>

class TdmData;

// Safety copies of the database: consistent copies of the open database taken
// with SQLite's online backup, written to a temporary file and renamed into
// place, so a failed copy never leaves a half-written backup file.
namespace Backup {

// Automatic backup mode from config / ibak: 0 never, 1 at every close,
// 2 on Mondays, 3 on the first day of the month.
bool offeredAtClose(int mode, const QDate& today);

// <folder>/dp<yyyyMMdd>.back
QString backupFilePath(const QString& folder, const QDate& day);

// Copies the open database onto target (replacing it only when the copy is complete).
bool copyDatabase(QSqlDatabase db, const QString& target, QString* error);

// Asks, when the folder is missing, to create it; false (after the message) when it is not there in the end.
bool ensureFolder(const QString& folder);

// The backup taken when the program closes, after the user agreed: into
// SysInfo.F_BakPath, at most one file a day (an existing file of the day is kept).
// Returns true when a backup file of today exists afterwards.
bool backupAtClose(TdmData& dm, const QDate& today);

// The whole close-time step: asks the question when the mode offers a backup and runs it on yes.
void offerBackupAtClose(TdmData& dm, int mode, const QDate& today);

}  // namespace Backup
