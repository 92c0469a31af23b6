#pragma once

#include <QString>

// The program's home folder: config.ini, data/, Qr/, readme.txt and the sample
// workbooks live there. It is the executable's folder unless VELMOR_HOME names
// another (tests and the demo use that).
class AppHome {
public:
    explicit AppHome(QString dir);

    // VELMOR_HOME, else the executable's folder; an installed program whose folder
    // is not writable uses a per-user folder seeded from the installed files.
    static AppHome locate();

    const QString& dir() const { return dir_; }
    QString filePath(const QString& name) const;
    QString configPath() const { return filePath(QStringLiteral("config.ini")); }
    QString defaultDataDir() const { return filePath(QStringLiteral("data")); }
    QString reportDir() const { return filePath(QStringLiteral("Qr")); }

    static QString databaseFileName() { return QStringLiteral("DovOrerData.db"); }

private:
    QString dir_;
};
