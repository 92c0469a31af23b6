// velmor-bench: figures of the parts whose speed a school notices, on a demo
// database it builds (--trainees N) or on a school's file (--db PATH).
#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QTemporaryDir>
#include <algorithm>

#include "AppHome.h"
#include "BenchSupport.h"
#include "DemoData.h"
#include "HomeSetup.h"

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
    parser.addOption({QStringLiteral("case"), QStringLiteral("Run only this case: grid, report or mainlist."),
                      QStringLiteral("name")});
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

    const BenchContext ctx{db, dbPath, scratch.path(), runs};
    const QString only = parser.value(QStringLiteral("case"));
    const std::pair<const char*, int (*)(const BenchContext&)> cases[] = {
        {"grid", runGridCase}, {"report", runReportCase}, {"mainlist", runMainListCase}};
    for (const auto& [name, run] : cases)
        if (only.isEmpty() || only == QLatin1String(name))
            if (const int rc = run(ctx)) return rc;
    return 0;
}
