// velmor-tool: the command-line companion that creates program homes.
//   velmor-tool init DIR                 a home with config.ini, the delivered database and Qr/
//   velmor-tool demo DIR --trainees N    the same, filled with demo records
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QTextStream>

#include "AppHome.h"
#include "DemoData.h"
#include "HomeSetup.h"

namespace {

int usage() {
    QTextStream(stderr) << "用法: velmor-tool init DIR\n"
                           "      velmor-tool demo DIR --trainees N\n";
    return 2;
}

int fail(const QString& message) {
    QTextStream(stderr) << "velmor-tool: " << message << Qt::endl;
    return 1;
}

int fillDemo(const QString& dir, int trainees) {
    const QString path = AppHome(dir).defaultDataDir() + u'/' + AppHome::databaseFileName();
    QString error;
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("demo"));
        db.setDatabaseName(path);
        ok = db.open() && DemoData::fill(db, trainees, &error);
        if (!ok && error.isEmpty()) error = QStringLiteral("无法打开数据库 %1").arg(path);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("demo"));
    return ok ? 0 : fail(error);
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool init = args.size() == 2 && args[0] == u"init";
    bool countOk = false;
    const int trainees = args.size() == 4 && args[0] == u"demo" && args[2] == u"--trainees"
                             ? args[3].toInt(&countOk)
                             : 0;
    if (!init && !(countOk && trainees >= 0)) return usage();

    QElapsedTimer timer;
    timer.start();
    QString error;
    if (!HomeSetup::initHome(args[1], &error)) return fail(error);
    if (!init) {
        if (const int rc = fillDemo(args[1], trainees)) return rc;
    }
    QTextStream(stdout) << (init ? "已创建" : "已创建演示数据") << ": " << AppHome(args[1]).dir() << " ("
                        << timer.elapsed() << " ms)" << Qt::endl;
    return 0;
}
