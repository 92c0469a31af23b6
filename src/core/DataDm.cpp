#include "DataDm.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QTime>
#include <QUrl>
#include <QUuid>

#include "CurrentOperator.h"
#include "MessageService.h"
#include "Schema.h"

namespace {

const QString kOperationFailed = QStringLiteral("操作失败，请检查数据连接... ");
const QString kDeleteFailed = QStringLiteral("删除操作失败，请检查数据连接... ");
const QString kOpenFailed = QStringLiteral("打开操作失败，请检查数据连接... ");

}  // namespace

TdmData::TdmData(AppHome home, QObject* parent)
    : QObject(parent),
      home_(std::move(home)),
      config_(home_.configPath()),
      connectionName_(QStringLiteral("velmor-") + QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

TdmData::~TdmData() {
    close();
    QSqlDatabase::removeDatabase(connectionName_);
}

QString TdmData::databaseDir() const {
    const QString ds = config_.readString(QStringLiteral("config"), QStringLiteral("ds")).trimmed();
    return QDir::cleanPath(ds.isEmpty() ? home_.defaultDataDir() : QDir(home_.dir()).absoluteFilePath(ds));
}

QString TdmData::databasePath() const { return databaseDir() + u'/' + AppHome::databaseFileName(); }

bool TdmData::open(QString* error) {
    close();
    const QString path = databasePath();
    ready_ = false;
    const QFileInfo info(path);
    if (!info.isFile()) {
        if (error) *error = QStringLiteral("找不到数据库文件：%1").arg(path);
        return false;
    }
    QSqlDatabase db = QSqlDatabase::contains(connectionName_)
                          ? QSqlDatabase::database(connectionName_, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    // mode=rw: an existing file only, so a wrong folder never leaves a new empty database behind.
    db.setDatabaseName(QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded) +
                       QStringLiteral("?mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    QString reason;
    if (!db.open()) {
        reason = db.lastError().text();
    } else if (!Schema::looksLikeVelmorDatabase(db)) {
        reason = QStringLiteral("不是本软件的数据库文件：%1").arg(path);
    } else if (Schema::upgrade(db, &reason)) {
        QSqlQuery(db).exec(QStringLiteral("PRAGMA cache_size = -65536"));
        ready_ = true;
        ++opened_;
        return true;
    }
    db.close();
    if (error) *error = reason;
    return false;
}

void TdmData::close() {
    if (!QSqlDatabase::contains(connectionName_)) return;
    QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
    if (!db.isOpen()) return;
    // Keeps the planner's statistics current as the school's files grow; cheap when nothing changed much.
    QSqlQuery(db).exec(QStringLiteral("PRAGMA optimize"));
    db.close();
}

QSqlDatabase TdmData::database() {
    if (QSqlDatabase::contains(connectionName_)) {
        QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
        if (db.isOpen()) return db;
    }
    open();
    return QSqlDatabase::contains(connectionName_) ? QSqlDatabase::database(connectionName_, false)
                                                   : QSqlDatabase();
}

QString TdmData::changeStamp() {
    QSqlDatabase db = database();
    const QVariant handle = db.isOpen() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) return {};
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA data_version")) || !q.next()) return {};
    sqlite3* connection = *static_cast<sqlite3* const*>(handle.data());
    return QStringLiteral("%1.%2.%3").arg(opened_).arg(q.value(0).toLongLong()).arg(sqlite3_total_changes64(connection));
}

bool TdmData::prepareAndExec(QSqlQuery& query, const QString& sql, const QVariantList& params) {
    QSqlDatabase db = database();
    if (!db.isOpen()) return false;
    query = QSqlQuery(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql)) return false;
    for (int i = 0; i < params.size(); ++i) query.bindValue(i, params[i]);
    return query.exec();
}

bool TdmData::DeleteRecord(const QString& table, qint64 key) {
    // A table name cannot be bound; only plain identifiers are accepted.
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    QSqlQuery q;
    if (!identifier.match(table).hasMatch() ||
        !prepareAndExec(q, QStringLiteral("delete from %1 where F_ID = ?").arg(table), {key})) {
        ShowMess(kDeleteFailed, 3);
        return false;
    }
    return true;
}

bool TdmData::RunSQL(const QString& sql, const QVariantList& params) {
    QSqlQuery q;
    if (!prepareAndExec(q, sql, params)) {
        ShowMess(kOperationFailed, 3);
        return false;
    }
    return true;
}

QString TdmData::QueryText(const QString& sql, const QVariantList& params) {
    QSqlQuery q;
    if (!prepareAndExec(q, sql, params)) {
        ShowMess(kOperationFailed, 3);
        return {};
    }
    return q.next() ? q.value(0).toString() : QString();
}

qint64 TdmData::QueryInt(const QString& sql, const QVariantList& params) {
    QSqlQuery q;
    if (!prepareAndExec(q, sql, params)) {
        ShowMess(kOperationFailed, 3);
        return 0;
    }
    return q.next() ? q.value(0).toLongLong() : 0;
}

bool TdmData::OpenSQL(QSqlQuery& query, const QString& sql, const QVariantList& params) {
    QSqlDatabase db = database();
    bool ok = db.isOpen();
    if (ok) {
        query = QSqlQuery(db);
        query.setForwardOnly(true);
        ok = query.prepare(sql);
        for (int i = 0; ok && i < params.size(); ++i) query.bindValue(i, params[i]);
        ok = ok && query.exec();
    }
    if (!ok) ShowMess(kOpenFailed, 3);
    return ok;
}

QStringList TdmData::FillItems(const QString& sql, const QVariantList& params) {
    QStringList entries{QString()};
    QSqlQuery q;
    if (!prepareAndExec(q, sql, params)) {
        ShowMess(kOperationFailed, 3);
        return entries;
    }
    while (q.next()) {
        const QString text = q.value(0).toString();
        if (!text.trimmed().isEmpty()) entries.append(text);
    }
    return entries;
}

void TdmData::WriteLog(const QString& event) {
    QSqlQuery q;
    const QDateTime now = QDateTime::currentDateTime();
    prepareAndExec(q,
                   QStringLiteral("insert into LogRec(F_EmpName,F_OperType,F_OperDate,F_OperTime) "
                                  "values(?,?,?,?)"),
                   {currentOperator().name, event, now.toString(QStringLiteral("yyyy-MM-dd")),
                    now.toString(QStringLiteral("hh:mm:ss"))});
}

QString TdmData::continueCode(const QString& greatest, const QString& emptyHead, int width) {
    QString head = emptyHead;
    QString tail(width, u'0');
    if (!greatest.isEmpty()) {
        head = greatest.left(std::max<qsizetype>(0, greatest.size() - width));
        tail = greatest.right(width);
        static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
        if (tail.size() != width || !digits.match(tail).hasMatch())
            throw NumberingError(QStringLiteral("“%1”不是有效的编号").arg(greatest).toStdString());
    }
    // "1" + tail, plus one, then all but the leading digit: 007 gives 008, 999 wraps to 000.
    const QString bumped = QString::number(QString(u'1' + tail).toULongLong() + 1);
    return head + bumped.mid(1, width);
}

QString TdmData::NextMonthCode(const QString& sql, const QVariantList& params, const QString& prefix, int width,
                               const QDate& today) {
    QSqlQuery q;
    if (!prepareAndExec(q, sql, params)) throw NumberingError(q.lastError().text().toStdString());
    const QString greatest = q.next() ? q.value(0).toString() : QString();
    return continueCode(greatest, prefix + today.toString(QStringLiteral("yyyyMM")), width);
}

QString TdmData::NextCode(const QString& sql, const QVariantList& params, int width) {
    QSqlQuery q;
    if (!prepareAndExec(q, sql, params)) throw NumberingError(q.lastError().text().toStdString());
    const QString greatest = q.next() ? q.value(0).toString() : QString();
    return continueCode(greatest, QString(), width);
}

bool TdmData::HasLimit(const QString& code) {
    if (currentOperator().isAdmin()) return true;
    return QueryInt(QStringLiteral("select o.F_ID from OperLimit as o left join Limits as l on o.F_lmtName = l.F_name "
                                   "where (o.F_OperName = ?) and (l.F_code = ?)"),
                    {currentOperator().name, code}) > 0;
}

int TdmData::SelectItemByText(const QString& text, const QStringList& entries, int current) {
    const QString wanted = text.trimmed().toLower();
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].trimmed().toLower() == wanted) current = i;
    return current;
}

QString TdmData::NumberFormat(int places, int kind) {
    places = std::max(0, places);
    if (kind == 1) return QStringLiteral("0.") + QString(places, u'#');
    if (kind == 2 || kind == 3) {
        QString decimals;
        for (int i = 0; i < places; ++i) decimals += i < 2 ? u'0' : u'#';
        return QStringLiteral("￥,0.") + decimals;
    }
    return {};
}

QString TdmData::DateRangeText(const std::optional<QDate>& from, const std::optional<QDate>& to) {
    const QString format = QStringLiteral("yyyy年MM月dd日");
    return QStringLiteral("统计日期：自 ") + (from ? from->toString(format) : QStringLiteral("启用系统")) +
           QStringLiteral(" 至 ") + (to ? to->toString(format) : QStringLiteral("记帐最后一天"));
}
