#pragma once

// Shared pieces of velmor-bench: each case measures one part of the program on
// the same database and prints "name value unit" lines (medians of several runs).

#include <QSqlDatabase>
#include <QString>
#include <functional>
#include <vector>

struct BenchContext {
    QSqlDatabase db;
    QString dbPath;
    QString scratchDir;  // a folder the case may write into
    int runs = 5;
};

void report(const char* name, double value, const char* unit);
double median(std::vector<double> values);
double millisecondsOf(const std::function<void()>& work);
qint64 residentBytes();
int fail(const QString& why);
// Milliseconds the sqlite3 shell takes to run the statement with its output thrown away.
double sqliteShellMs(const BenchContext& ctx, const QString& sql);

// The cases; each returns 0 or the exit code of a failure.
int runGridCase(const BenchContext& ctx);
int runReportCase(const BenchContext& ctx);
int runMainListCase(const BenchContext& ctx);
