#include "Backup.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <filesystem>

#include "DataDm.h"
#include "MessageService.h"

namespace Backup {

bool offeredAtClose(int mode, const QDate& today) {
    switch (mode) {
        case 1: return true;
        case 2: return today.dayOfWeek() == Qt::Monday;
        case 3: return today.day() == 1;
        default: return false;
    }
}

QString backupFilePath(const QString& folder, const QDate& day) {
    return QDir(folder).filePath(QStringLiteral("dp") + day.toString(QStringLiteral("yyyyMMdd")) +
                                 QStringLiteral(".back"));
}

bool copyDatabase(QSqlDatabase db, const QString& target, QString* error) {
    const QVariant handle = db.isOpen() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) {
        if (error) *error = QStringLiteral("数据库未连接");
        return false;
    }
    sqlite3* source = *static_cast<sqlite3* const*>(handle.data());
    const QString temp = target + QStringLiteral(".part");
    QFile::remove(temp);
    sqlite3* dest = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(temp).constData(), &dest,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(dest, "main", source, "main");
        if (backup) {
            rc = sqlite3_backup_step(backup, -1);
            const int finish = sqlite3_backup_finish(backup);
            if (rc == SQLITE_DONE) rc = finish;
        } else {
            rc = sqlite3_errcode(dest);
        }
    }
    if (rc != SQLITE_OK && error) *error = QString::fromUtf8(dest ? sqlite3_errmsg(dest) : sqlite3_errstr(rc));
    if (sqlite3_close(dest) != SQLITE_OK && rc == SQLITE_OK) rc = SQLITE_ERROR;
    if (rc != SQLITE_OK) {
        QFile::remove(temp);
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(temp).toStdString(), QFile::encodeName(target).toStdString(), ec);
    if (ec) {
        if (error) *error = QString::fromStdString(ec.message());
        QFile::remove(temp);
        return false;
    }
    return true;
}

bool ensureFolder(const QString& folder) {
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) return true;
    if (ShowMess(QStringLiteral("当前目录") + folder + QStringLiteral(" 不存在，是否创建！"), 1) != 1) return false;
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        ShowMess(QStringLiteral("目录") + folder + QStringLiteral(" 创建失败,请检测路径是否合法!"), 3);
        return false;
    }
    return true;
}

bool backupAtClose(TdmData& dm, const QDate& today) {
    const QString folder = dm.QueryText(QStringLiteral("select F_BakPath from SysInfo")).trimmed();
    if (!ensureFolder(folder)) return false;
    const QString target = backupFilePath(folder, today);
    if (QFileInfo::exists(target)) return true;
    QString error;
    if (!copyDatabase(dm.database(), target, &error)) {
        ShowMess(QStringLiteral("数据备份失败！"), 3);
        return false;
    }
    return true;
}

void offerBackupAtClose(TdmData& dm, int mode, const QDate& today) {
    if (!offeredAtClose(mode, today)) return;
    if (ShowMess(QStringLiteral("软件关闭，要备份当前数据吗？"), 1) == 1) backupAtClose(dm, today);
}

}  // namespace Backup
