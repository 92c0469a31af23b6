#pragma once

#include <QDate>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>
#include <stdexcept>

#include "AppHome.h"
#include "IniFile.h"

// Raised by the two numbering operations when the greatest stored number cannot
// be continued; the caller decides what to tell the user.
class NumberingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The program's one data module: it owns config.ini, the one database connection
// and the small set of operations every window uses instead of repeating SQL
// plumbing. Every value reaches SQL as a bound parameter ("?" placeholders). The
// operations report a failure once through ShowMess and return a neutral result.
class TdmData : public QObject {
    Q_OBJECT
public:
    explicit TdmData(AppHome home, QObject* parent = nullptr);
    ~TdmData() override;

    const AppHome& home() const { return home_; }
    IniFile& config() { return config_; }

    // Folder of the database from config / ds; blank means <home>/data.
    QString databaseDir() const;
    QString databasePath() const;

    // Opens the configured database file. Never creates one: a missing,
    // unreadable or foreign file fails with the reason in *error.
    bool open(QString* error = nullptr);
    bool isReady() const { return ready_; }
    // Closes the connection (backup, restore and compaction); the next operation reopens it.
    void close();
    // The connection, reopened first when it was closed.
    QSqlDatabase database();
    // A text that changes whenever the database may hold other data than before:
    // a write of ours, a commit by another program on the file, a reopen. Empty
    // when the connection cannot tell.
    QString changeStamp();

    bool DeleteRecord(const QString& table, qint64 key);
    bool RunSQL(const QString& sql, const QVariantList& params = {});
    QString QueryText(const QString& sql, const QVariantList& params = {});
    qint64 QueryInt(const QString& sql, const QVariantList& params = {});
    bool OpenSQL(QSqlQuery& query, const QString& sql, const QVariantList& params = {});
    // Pick-list entries: an empty entry, then the first column of every row that is not blank.
    QStringList FillItems(const QString& sql, const QVariantList& params = {});
    void WriteLog(const QString& event);
    // Next number after the greatest code the query yields: prefix + yyyymm + a
    // `width`-digit sequence that wraps after all nines. Throws NumberingError.
    QString NextMonthCode(const QString& sql, const QVariantList& params, const QString& prefix, int width,
                          const QDate& today = QDate::currentDate());
    QString NextCode(const QString& sql, const QVariantList& params, int width);
    // True when the current operator holds the permission; the built-in admin holds all.
    bool HasLimit(const QString& code);

    // Index of the last entry equal to the text (trimmed, any case), or `current` when none matches.
    static int SelectItemByText(const QString& text, const QStringList& entries, int current);
    static QString NumberFormat(int places, int kind);
    static QString DateRangeText(const std::optional<QDate>& from, const std::optional<QDate>& to);
    // The increment step shared by both numbering operations.
    static QString continueCode(const QString& greatest, const QString& emptyHead, int width);

private:
    bool prepareAndExec(QSqlQuery& query, const QString& sql, const QVariantList& params);

    AppHome home_;
    IniFile config_;
    QString connectionName_;
    bool ready_ = false;
    int opened_ = 0;
};
