#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "Connection.h"
#include "DataDm.h"
#include "HomeSetup.h"
#include "ScriptedMessageService.h"

namespace {

struct RecordingHooks {
    QStringList statuses;
    int hidden = 0, shown = 0;
    ConnectionHooks hooks() {
        ConnectionHooks h;
        h.status = [this](const QString& s) { statuses.append(s); };
        h.hideSplash = [this] { ++hidden; };
        h.showSplash = [this] { ++shown; };
        return h;
    }
};

void writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(content);
}

}  // namespace

class TestConnection : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void defaultFolderIsHomeData_data() {
        QTest::addColumn<QByteArray>("config");
        QTest::newRow("no config.ini") << QByteArray();
        QTest::newRow("ds empty") << QByteArray("[config]\nds=\n");
        QTest::newRow("ds blank") << QByteArray("[Config]\nDS=   \n");
    }
    void defaultFolderIsHomeData() {
        QFETCH(QByteArray, config);
        QTemporaryDir tmp;
        QString error;
        QVERIFY(HomeSetup::initHome(tmp.path(), &error));
        QFile::remove(tmp.filePath("config.ini"));
        if (!config.isNull()) writeFile(tmp.filePath("config.ini"), config);
        TdmData dm{AppHome(tmp.path())};
        QCOMPARE(dm.databasePath(), tmp.filePath("data/DovOrerData.db"));
        ScriptedMessageService::Scope messages;
        RecordingHooks rec;
        QVERIFY(connectWithRecovery(dm, rec.hooks()));
        QVERIFY(dm.isReady());
        QCOMPARE(rec.statuses, QStringList({"正在连接数据库 .....", "连接成功，正在登录 ..."}));
        QCOMPARE(rec.hidden, 0);
    }

    void recoveryStoresTheChosenFolderAndRetries() {
        QTemporaryDir tmp;
        QString error;
        QVERIFY(HomeSetup::initHome(tmp.filePath("school"), &error));
        // The program's own home has no database: ds names a folder without one.
        writeFile(tmp.filePath("prog/config.ini"), "; kept\n[CONFIG]\nDs=" + tmp.filePath("empty/").toUtf8() + "\nibak=2\n");
        TdmData dm{AppHome(tmp.filePath("prog"))};

        ScriptedMessageService::Scope messages;
        // First a file in a folder that also lacks the database, then any file of the school's data folder.
        messages->files.enqueue(tmp.filePath("elsewhere/other.db"));
        messages->files.enqueue(tmp.filePath("school/data/any.db"));
        RecordingHooks rec;
        QVERIFY(connectWithRecovery(dm, rec.hooks()));
        QCOMPARE(messages->lastTitle, QString("连接网络数据库"));
        QCOMPARE(messages->lastFilter, QString("SQLite数据库 (*.db)"));
        QCOMPARE(rec.hidden, 2);
        QCOMPARE(rec.shown, 2);
        QCOMPARE(dm.config().readString("config", "ds"), tmp.filePath("school/data") + "/");
        QCOMPARE(dm.config().readInt("config", "ibak"), 2);
        QVERIFY(dm.QueryInt("select count(*) from OperList") > 0);
        // Nothing was created in the folders that had no database.
        QVERIFY(!QFileInfo::exists(tmp.filePath("empty/DovOrerData.db")));
        QVERIFY(!QFileInfo::exists(tmp.filePath("elsewhere/DovOrerData.db")));
        QVERIFY(messages->messages.isEmpty());
    }

    void badFilesLeadToTheDialogAndAreLeftAlone_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not sqlite") << QByteArray("这不是数据库 this is not a database at all, just text......");
        QTest::newRow("empty file") << QByteArray("");
        QTest::newRow("truncated header") << QByteArray("SQLite format 3\0\x10\0", 19);
    }
    void badFilesLeadToTheDialogAndAreLeftAlone() {
        QFETCH(QByteArray, content);
        QTemporaryDir tmp;
        const QString path = tmp.filePath("data/DovOrerData.db");
        writeFile(path, content);
        TdmData dm{AppHome(tmp.path())};
        ScriptedMessageService::Scope messages;
        messages->files.enqueue(QString());  // the user cancels
        RecordingHooks rec;
        QVERIFY(!connectWithRecovery(dm, rec.hooks()));
        QVERIFY(!dm.isReady());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), content);
    }

    void missingFileIsNeverCreated() {
        QTemporaryDir tmp;
        TdmData dm{AppHome(tmp.path())};
        QString error;
        QVERIFY(!dm.open(&error));
        QVERIFY(error.contains("找不到"));
        QVERIFY(!QFileInfo::exists(tmp.filePath("data/DovOrerData.db")));
        ScriptedMessageService::Scope messages;
        QCOMPARE(dm.QueryInt("select 1"), 0);  // an operation on a missing database fails with its message
        QCOMPARE(messages->texts_of(3), QStringList({"操作失败，请检查数据连接... "}));
        QVERIFY(!QFileInfo::exists(tmp.filePath("data/DovOrerData.db")));
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
