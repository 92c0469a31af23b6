#include "HomeSetup.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

#include "AppHome.h"
#include "IniFile.h"
#include "Schema.h"

namespace HomeSetup {

namespace {

bool writeDefaultConfig(const QString& path) {
    if (QFileInfo::exists(path)) return true;
    IniFile ini(path);
    return ini.writeString(QStringLiteral("config"), QStringLiteral("ds"), QString()) &&
           ini.writeInt(QStringLiteral("config"), QStringLiteral("ibak"), 0) &&
           ini.writeString(QStringLiteral("Config"), QStringLiteral("CurOperName"), QStringLiteral("admin")) &&
           ini.writeBool(QStringLiteral("sys"), QStringLiteral("bZDcode"), false) &&
           ini.writeBool(QStringLiteral("set"), QStringLiteral("awokeflag"), false) &&
           ini.writeInt(QStringLiteral("set"), QStringLiteral("awokeday"), 0);
}

// Delivered report templates are built into the program; a school's own edits are never overwritten.
bool copyDeliveredTemplates(const QString& reportDir) {
    if (!QDir().mkpath(reportDir)) return false;
    QDirIterator it(QStringLiteral(":/velmor/Qr"), QDir::Files);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = reportDir + u'/' + it.fileName();
        if (!QFileInfo::exists(target) && QFile::copy(source, target))
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    return true;
}

// The read-me the help menu opens.
bool copyReadme(const QString& target) {
    return QFileInfo::exists(target) || QFile::copy(QStringLiteral(":/velmor/data/readme.txt"), target);
}

bool setBackupFolder(const QString& dbPath, const QString& folder, QString* error) {
    const QString name = QStringLiteral("velmor-init-") + QUuid::createUuid().toString();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(dbPath);
        if (db.open()) {
            QSqlQuery q(db);
            ok = q.prepare(QStringLiteral("update SysInfo set F_BakPath = ?"));
            q.addBindValue(folder);
            ok = ok && q.exec();
            if (!ok && error) *error = QStringLiteral("无法写入备份目录");
            q.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

}  // namespace

bool initHome(const QString& dir, QString* error) {
    const AppHome home(dir);
    const QString dbPath = home.defaultDataDir() + u'/' + AppHome::databaseFileName();
    if (QFileInfo::exists(dbPath)) {
        if (error) *error = QStringLiteral("数据库文件已存在，不能覆盖：%1").arg(dbPath);
        return false;
    }
    const QString backupDir = home.filePath(QStringLiteral("backup"));
    if (!QDir().mkpath(home.defaultDataDir()) || !QDir().mkpath(backupDir)) {
        if (error) *error = QStringLiteral("无法创建目录：%1").arg(home.dir());
        return false;
    }
    if (!writeDefaultConfig(home.configPath())) {
        if (error) *error = QStringLiteral("无法写入配置文件：%1").arg(home.configPath());
        return false;
    }
    if (!copyReadme(home.filePath(QStringLiteral("readme.txt")))) {
        if (error) *error = QStringLiteral("无法写入：%1").arg(home.filePath(QStringLiteral("readme.txt")));
        return false;
    }
    if (!copyDeliveredTemplates(home.reportDir())) {
        if (error) *error = QStringLiteral("无法创建报表目录：%1").arg(home.reportDir());
        return false;
    }
    return Schema::createDatabase(dbPath, error) && setBackupFolder(dbPath, backupDir, error);
}

}  // namespace HomeSetup
