#include <QDate>
#include <QDir>
#include <QTest>

#include "FrmMain.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"

// Closing the main window: the exit question, then the automatic backup by mode.
class TestMainExit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decliningKeepsTheProgramRunningWithoutBackup() {
        TestHome home;
        home.dm().config().writeInt("config", "ibak", 1);
        TFrmMain window(home.dm());
        window.show();
        ScriptedMessageService::Scope messages;
        messages->answers.enqueue(2);
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());
        QCOMPARE(messages->texts_of(1), QStringList({"真的要退出“Velmor驾校学员管理软件 ”软件吗？"}));
        QVERIFY(QDir(home.path("backup")).isEmpty());
    }

    void closingOffersTheBackupByMode_data() {
        QTest::addColumn<QString>("ibak");
        QTest::addColumn<bool>("offered");
        QTest::newRow("never") << "0" << false;
        QTest::newRow("always") << "1" << true;
        QTest::newRow("garbage falls back to never") << "jeden" << false;
        const QDate today = QDate::currentDate();
        QTest::newRow("Mondays") << "2" << (today.dayOfWeek() == Qt::Monday);
        QTest::newRow("first of month") << "3" << (today.day() == 1);
    }
    void closingOffersTheBackupByMode() {
        QFETCH(QString, ibak);
        QFETCH(bool, offered);
        TestHome home;
        home.dm().config().writeString("Config", "IBAK", ibak);
        TFrmMain window(home.dm());
        window.show();
        ScriptedMessageService::Scope messages;
        messages->answers.enqueue(1);
        if (offered) messages->answers.enqueue(1);
        QVERIFY(window.close());
        QCOMPARE(messages->texts_of(1).size(), offered ? 2 : 1);
        const QString backup = home.path("backup/dp" + QDate::currentDate().toString("yyyyMMdd") + ".back");
        QCOMPARE(QFileInfo::exists(backup), offered);
    }
};

QTEST_MAIN(TestMainExit)
#include "tst_mainexit.moc"
