#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "AppHome.h"
#include "DataGrid.h"
#include "DemoData.h"
#include "GridExport.h"
#include "HomeSetup.h"

namespace {

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

// The main trainee list's statement: every column but the photo, by file number.
QString traineeQuery(QSqlDatabase db) {
    QStringList columns;
    const QSqlRecord record = db.record(QStringLiteral("T_employee"));
    for (int i = 0; i < record.count(); ++i)
        if (record.fieldName(i).compare(QLatin1String("F_empImage"), Qt::CaseInsensitive) != 0)
            columns.append(record.fieldName(i));
    return QStringLiteral("select %1 from T_employee order by F_code").arg(columns.join(QStringLiteral(", ")));
}

int fail(const QString& why) {
    std::fprintf(stderr, "velmor-bench: %s\n", qPrintable(why));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Velmor performance figures"));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("db"), QStringLiteral("Existing database file."), QStringLiteral("path")});
    parser.addOption({QStringLiteral("trainees"), QStringLiteral("Build a demo database with N trainees."),
                      QStringLiteral("N"), QStringLiteral("100000")});
    parser.addOption({QStringLiteral("runs"), QStringLiteral("Runs per case (default 5)."), QStringLiteral("R"),
                      QStringLiteral("5")});
    parser.process(app);
    const int runs = std::max(1, parser.value(QStringLiteral("runs")).toInt());

    QTemporaryDir scratch;
    QString dbPath = parser.value(QStringLiteral("db"));
    if (dbPath.isEmpty()) {
        QString error;
        if (!HomeSetup::initHome(scratch.path(), &error)) return fail(error);
        dbPath = AppHome(scratch.path()).defaultDataDir() + QStringLiteral("/") + AppHome::databaseFileName();
    }
    if (!QFile::exists(dbPath)) return fail(QStringLiteral("no database at ") + dbPath);

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(dbPath);
    if (!db.open()) return fail(db.lastError().text());
    if (parser.value(QStringLiteral("db")).isEmpty()) {
        const int trainees = parser.value(QStringLiteral("trainees")).toInt();
        QString error;
        const double ms = millisecondsOf([&] {
            if (!DemoData::fill(db, trainees, &error)) std::exit(fail(error));
        });
        report("demo.build_ms", ms, "ms");
    }

    const QString sql = traineeQuery(db);
    DataGrid grid;
    std::vector<double> load, sortText, sortDate, exportMs, shell;
    qint64 before = residentBytes(), after = 0;
    for (int run = 0; run < runs; ++run) {
        grid.close();
        if (run == 0) before = residentBytes();
        load.push_back(millisecondsOf([&] {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            if (!query.exec(sql)) std::exit(fail(query.lastError().text()));
            grid.load(query);
        }));
        if (run == 0) after = residentBytes();
        sortText.push_back(millisecondsOf([&] { grid.setSortText(QStringLiteral("F_name ASC")); }));
        sortDate.push_back(millisecondsOf([&] { grid.setSortText(QStringLiteral("F_BMdate DESC")); }));
    }
    const int rows = grid.rowCount();
    for (int run = 0; run < std::min(runs, 3); ++run) {
        const QString path = scratch.filePath(QStringLiteral("bench.xlsx"));
        QString error;
        exportMs.push_back(millisecondsOf([&] {
            if (!writeGridWorkbook(*grid.model(), grid.columns(), QStringLiteral("学员档案记录列表"), path, &error))
                std::exit(fail(error));
        }));
    }
    for (int run = 0; run < runs; ++run) {
        QProcess sqlite;
        sqlite.setStandardOutputFile(QProcess::nullDevice());
        shell.push_back(millisecondsOf([&] {
            sqlite.start(QStringLiteral("sqlite3"), {dbPath, sql});
            sqlite.waitForFinished(-1);
        }));
        if (sqlite.exitCode() != 0) return fail(QStringLiteral("sqlite3 could not run the query"));
    }

    report("grid.rows", rows, "rows");
    report("grid.columns", grid.model()->fieldCount(), "columns");
    report("grid.load_ms", median(load), "ms");
    report("grid.sort_text_ms", median(sortText), "ms");
    report("grid.sort_date_ms", median(sortDate), "ms");
    report("grid.export_xlsx_ms", median(exportMs), "ms");
    report("grid.model_bytes_per_row", rows ? double(grid.model()->memoryBytes()) / rows : 0, "bytes");
    report("grid.rss_bytes_per_row", rows ? double(after - before) / rows : 0, "bytes");
    report("sqlite3.query_ms", median(shell), "ms");
    report("grid.load_vs_sqlite3", median(shell) > 0 ? median(load) / median(shell) : 0, "ratio");
    return 0;
}
