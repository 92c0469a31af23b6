#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include "Backup.h"
#include "DataDm.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"

namespace {
const QDate kMonday(2026, 12, 7), kTuesday(2026, 12, 8), kFirst(2026, 12, 1);  // the first is a Tuesday

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

qint64 traineesIn(const QString& path) {
    qint64 n = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "check");
        db.setDatabaseName(path);
        QSqlQuery q(db);
        if (db.open() && q.exec("select count(*) from T_employee") && q.next()) n = q.value(0).toLongLong();
    }
    QSqlDatabase::removeDatabase("check");
    return n;
}
}  // namespace

class TestBackup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void modeDecidesWhenToOffer_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<bool>("offered");
        QTest::newRow("0 never") << 0 << kMonday << false;
        QTest::newRow("1 always") << 1 << kTuesday << true;
        QTest::newRow("2 on a Monday") << 2 << kMonday << true;
        QTest::newRow("2 on a Tuesday") << 2 << kTuesday << false;
        QTest::newRow("3 on the first") << 3 << kFirst << true;
        QTest::newRow("3 on a Monday") << 3 << kMonday << false;
        QTest::newRow("garbage mode") << 9 << kFirst << false;
    }
    void modeDecidesWhenToOffer() {
        QFETCH(int, mode);
        QFETCH(QDate, day);
        QFETCH(bool, offered);
        QCOMPARE(Backup::offeredAtClose(mode, day), offered);

        TestHome home;
        ScriptedMessageService::Scope messages;
        if (offered) messages->answers.enqueue(2);
        Backup::offerBackupAtClose(home.dm(), mode, day);
        QCOMPARE(messages->texts_of(1), offered ? QStringList({"软件关闭，要备份当前数据吗？"}) : QStringList());
        QVERIFY(QDir(home.path("backup")).isEmpty());
    }

    void backupAtCloseIsAConsistentCopyOncePerDay() {
        TestHome home(50);
        TdmData& dm = home.dm();
        ScriptedMessageService::Scope messages;
        messages->answers.enqueue(1);
        Backup::offerBackupAtClose(dm, 1, kTuesday);
        const QString file = home.path("backup/dp20261208.back");
        QVERIFY(QFileInfo::exists(file));
        QCOMPARE(traineesIn(file), 50);
        QVERIFY(!QFileInfo::exists(file + ".part"));
        QCOMPARE(messages->texts_of(3), QStringList());

        // A second close the same day (or after a manual backup) keeps the day's file untouched.
        QVERIFY(dm.RunSQL("delete from T_employee"));
        const QByteArray before = readAll(file);
        messages->answers.enqueue(1);
        Backup::offerBackupAtClose(dm, 1, kTuesday);
        QCOMPARE(readAll(file), before);
        QCOMPARE(traineesIn(file), 50);
        // The next day gets its own file.
        QVERIFY(Backup::backupAtClose(dm, kTuesday.addDays(1)));
        QCOMPARE(traineesIn(home.path("backup/dp20261209.back")), 0);
    }

    void missingFolderIsOfferedForCreation() {
        TestHome home;
        TdmData& dm = home.dm();
        const QString folder = home.path("nested/backups");
        QVERIFY(dm.RunSQL("update SysInfo set F_BakPath = ?", {folder}));
        ScriptedMessageService::Scope messages;
        messages->answers.enqueue(2);
        QVERIFY(!Backup::backupAtClose(dm, kMonday));
        QCOMPARE(messages->texts_of(1), QStringList({"当前目录" + folder + " 不存在，是否创建！"}));
        QVERIFY(!QFileInfo::exists(folder));

        messages->answers.enqueue(1);
        QVERIFY(Backup::backupAtClose(dm, kMonday));
        QVERIFY(QFileInfo::exists(folder + "/dp20261207.back"));
    }

    void failuresAreReportedAndLeaveNoHalfFile() {
        TestHome home;
        TdmData& dm = home.dm();
        ScriptedMessageService::Scope messages;
        // A file where the folder should be: the folder cannot be created.
        QFile blocker(home.path("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString impossible = home.path("blocker/sub");
        QVERIFY(dm.RunSQL("update SysInfo set F_BakPath = ?", {impossible}));
        messages->answers.enqueue(1);
        QVERIFY(!Backup::backupAtClose(dm, kMonday));
        QCOMPARE(messages->texts_of(3), QStringList({"目录" + impossible + " 创建失败,请检测路径是否合法!"}));

        // The copy itself failing: a folder stands where the backup file would be renamed to.
        messages->clear();
        QVERIFY(dm.RunSQL("update SysInfo set F_BakPath = ?", {home.path("backup")}));
        QVERIFY(QDir().mkpath(home.path("backup/dp20261207.back/inner")));
        QString error;
        QVERIFY(!Backup::copyDatabase(dm.database(), home.path("backup/dp20261207.back"), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFileInfo::exists(home.path("backup/dp20261207.back.part")));
        QVERIFY(QFileInfo(home.path("backup/dp20261207.back/inner")).isDir());
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
