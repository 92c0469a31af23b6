#include "Schema.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include "Transaction.h"

namespace {

QString resourceText(const QString& name) {
    QFile file(QStringLiteral(":/velmor/data/") + name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

sqlite3* handleOf(QSqlDatabase& db) {
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0) return nullptr;
    return *static_cast<sqlite3* const*>(v.data());
}

int userVersion(QSqlDatabase& db) {
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) return -1;
    return q.value(0).toInt();
}

// Ordered upgrade steps: step i takes a database from version i to i + 1.
// Version 1 is the first delivered schema, so there are none yet.
const QStringList& upgradeScripts() {
    static const QStringList scripts;
    return scripts;
}

}  // namespace

namespace Schema {

bool execScript(QSqlDatabase& db, const QString& sql, QString* error) {
    sqlite3* handle = handleOf(db);
    if (!handle) {
        if (error) *error = QStringLiteral("数据库连接不可用");
        return false;
    }
    char* message = nullptr;
    const int rc = sqlite3_exec(handle, sql.toUtf8().constData(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        if (error) *error = QString::fromUtf8(message ? message : sqlite3_errstr(rc));
        sqlite3_free(message);
        return false;
    }
    return true;
}

bool createDatabase(const QString& path, QString* error) {
    if (QFileInfo::exists(path)) {
        if (error) *error = QStringLiteral("数据库文件已存在，不能覆盖：%1").arg(path);
        return false;
    }
    const QString schema = resourceText(QStringLiteral("schema.sql"));
    const QString seed = resourceText(QStringLiteral("seed.sql"));
    if (schema.isEmpty() || seed.isEmpty()) {
        if (error) *error = QStringLiteral("程序缺少数据库结构文件");
        return false;
    }
    const QString connection = QStringLiteral("velmor-create-") + QUuid::createUuid().toString();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (!db.open()) {
            if (error) *error = db.lastError().text();
        } else {
            Transaction tx(db);
            ok = tx.active() && execScript(db, schema, error) && execScript(db, seed, error) &&
                 execScript(db, QStringLiteral("PRAGMA user_version = %1").arg(currentVersion), error) &&
                 tx.commit();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    if (!ok) QFile::remove(path);
    return ok;
}

bool upgrade(QSqlDatabase& db, QString* error) {
    const int version = userVersion(db);
    if (version < 0) {
        if (error) *error = db.lastError().text();
        return false;
    }
    if (version > currentVersion) {
        if (error) *error = QStringLiteral("数据库来自更新版本的程序（版本 %1），请升级本程序").arg(version);
        return false;
    }
    if (version == currentVersion) return true;
    Transaction tx(db);
    for (int v = std::max(version, 1); v < currentVersion; ++v) {
        if (!execScript(db, upgradeScripts().value(v - 1), error)) return false;
    }
    return execScript(db, QStringLiteral("PRAGMA user_version = %1").arg(currentVersion), error) && tx.commit();
}

bool looksLikeVelmorDatabase(QSqlDatabase& db) {
    QSqlQuery q(db);
    const bool ok = q.exec(QStringLiteral(
                        "select count(*) from sqlite_master where type = 'table' and lower(name) in "
                        "('t_employee', 'operlist', 'limits', 'operlimit', 'keyvalue', 'sysinfo', 'cfg_grid')")) &&
                    q.next() && q.value(0).toInt() == 7;
    return ok;
}

}  // namespace Schema
