#include "Helpers.h"

#include <sodium.h>

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>

namespace {
bool sodiumReady() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}
}  // namespace

QString SavePass(const QString& password) {
    if (password.isEmpty() || !sodiumReady()) return {};
    const QByteArray bytes = password.toUtf8();
    char hashed[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hashed, bytes.constData(), bytes.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return {};
    return QString::fromLatin1(hashed);
}

bool CheckPass(const QString& stored, const QString& typed) {
    if (stored.isEmpty()) return typed.isEmpty();
    if (!sodiumReady()) return false;
    const QByteArray hash = stored.toLatin1();
    const QByteArray bytes = typed.toUtf8();
    return crypto_pwhash_str_verify(hash.constData(), bytes.constData(), bytes.size()) == 0;
}

bool CompactDatabase(const QString& path) {
    if (!QFileInfo(path).isFile()) return false;
    const QString name = QStringLiteral("velmor-compact-") + QUuid::createUuid().toString();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
                           QStringLiteral("?mode=rw"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
        if (db.open()) {
            QSqlQuery q(db);
            ok = q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next() &&
                 q.value(0).toString() == QLatin1String("ok");
            q.finish();
            ok = ok && q.exec(QStringLiteral("VACUUM")) && q.exec(QStringLiteral("ANALYZE"));
            q.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}
