#pragma once

#include <QString>

// Creating a program home: config.ini, data/DovOrerData.db with the delivered
// tables and seed rows, the Qr/ report folder and a backup folder.
namespace HomeSetup {

// Refuses to overwrite an existing database; an existing config.ini is kept.
bool initHome(const QString& dir, QString* error);

}  // namespace HomeSetup
