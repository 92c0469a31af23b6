#include "BenchSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <cstdio>

void report(const char* name, double value, const char* unit) {
    std::printf("%s %.6g %s\n", name, value, unit);
    std::fflush(stdout);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

double millisecondsOf(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

qint64 residentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> parts = statm.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toLongLong() * 4096 : 0;
}

int fail(const QString& why) {
    std::fprintf(stderr, "velmor-bench: %s\n", qPrintable(why));
    return 1;
}


double sqliteShellMs(const BenchContext& ctx, const QString& sql) {
    QProcess sqlite;
    sqlite.setStandardOutputFile(QProcess::nullDevice());
    // The statement goes in on standard input, so a script may set parameters first.
    const QByteArray script = (sql.trimmed().endsWith(u';') ? sql : sql + u';').toUtf8() + '\n';
    const double ms = millisecondsOf([&] {
        sqlite.start(QStringLiteral("sqlite3"), {ctx.dbPath});
        sqlite.write(script);
        sqlite.closeWriteChannel();
        sqlite.waitForFinished(-1);
    });
    if (sqlite.exitCode() != 0) std::exit(fail(QStringLiteral("sqlite3 could not run the query")));
    return ms;
}
