#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct Run {
    int code;
    QString out, err;
};
Run tool(const QStringList& args) {
    QProcess p;
    p.start(VELMOR_TOOL, args);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
}  // namespace

class TestTool : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void badArgumentsPrintUsage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("none") << QStringList();
        QTest::newRow("unknown") << QStringList({"frobnicate", "x"});
        QTest::newRow("init without dir") << QStringList({"init"});
        QTest::newRow("demo without count") << QStringList({"demo", "x"});
        QTest::newRow("demo bad count") << QStringList({"demo", "x", "--trainees", "many"});
    }
    void badArgumentsPrintUsage() {
        QFETCH(QStringList, args);
        const Run r = tool(args);
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("velmor-tool init DIR"));
    }

    void initThenRefuse() {
        QTemporaryDir tmp;
        const QString home = tmp.filePath("home");
        QCOMPARE(tool({"init", home}).code, 0);
        QVERIFY(QFileInfo(home + "/config.ini").isFile());
        QVERIFY(QFileInfo(home + "/Qr").isDir());
        QVERIFY(QFileInfo(home + "/readme.txt").size() > 0);
        QVERIFY(QFileInfo(home + "/data/DovOrerData.db").isFile());
        const Run again = tool({"init", home});
        QCOMPARE(again.code, 1);
        QVERIFY(again.err.contains("已存在"));
    }

    void demoIsDeterministic() {
        QTemporaryDir tmp;
        QCOMPARE(tool({"demo", tmp.filePath("a"), "--trainees", "300"}).code, 0);
        QCOMPARE(tool({"demo", tmp.filePath("b"), "--trainees", "300"}).code, 0);
        QStringList digests;
        for (const char* home : {"a", "b"}) {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", home);
            db.setDatabaseName(tmp.filePath(QString(home) + "/data/DovOrerData.db"));
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("select (select count(*) from T_employee), (select count(*) from t_BKrec), "
                           "(select count(*) from t_SKrec), (select count(*) from t_TXrec), "
                           "(select count(*) from EmpList where F_duty = '教练员'), (select count(*) from CarList), "
                           "(select group_concat(F_name || F_code || F_BKcarType || F_JLemp, ',') from T_employee), "
                           "(select count(*) from T_employee where F_empImage is not null)"));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), 300);
            QVERIFY(q.value(1).toInt() > 50);
            QVERIFY(q.value(2).toInt() >= 300);
            QVERIFY(q.value(3).toInt() > 10);
            QVERIFY(q.value(4).toInt() >= 6);
            QVERIFY(q.value(5).toInt() >= 6);
            digests.append(q.value(6).toString());
            QVERIFY(q.value(7).toInt() > 0);
        }
        QSqlDatabase::removeDatabase("a");
        QSqlDatabase::removeDatabase("b");
        QCOMPARE(digests[0], digests[1]);
    }
};

QTEST_GUILESS_MAIN(TestTool)
#include "tst_tool.moc"
