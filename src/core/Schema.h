#pragma once

#include <QSqlDatabase>
#include <QString>

// The delivered database: tables and seed rows come from the SQL files kept in
// data/ (built into the program), and the schema carries a version so that a
// later release upgrades a school's existing file in place.
namespace Schema {

constexpr int currentVersion = 1;

// Creates a new database file with the delivered tables and seed rows. Refuses
// to touch an existing file. On failure nothing is left behind.
bool createDatabase(const QString& path, QString* error);

// Brings an opened database up to currentVersion in one transaction. A file made
// by a newer release is refused rather than misread.
bool upgrade(QSqlDatabase& db, QString* error);

// True when the open database has the tables this program relies on.
bool looksLikeVelmorDatabase(QSqlDatabase& db);

// Runs a script of several statements on the open connection.
bool execScript(QSqlDatabase& db, const QString& sql, QString* error);

}  // namespace Schema
