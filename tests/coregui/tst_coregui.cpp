#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include "DispFormPos.h"
#include "FrmSplash.h"
#include "ListControls.h"

class TestCoreGui : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void placementModes() {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QWidget main;
        DispFormPos(&main, 2);
        QVERIFY(main.width() >= area.width() * 9 / 10);
        QVERIFY(area.contains(main.frameGeometry().topLeft()));
        main.show();

        QWidget list;
        DispFormPos(&list, 0);
        QVERIFY(list.width() > area.width() / 2 && list.width() < area.width());
        QVERIFY(qAbs(list.frameGeometry().center().x() - area.center().x()) <= 2);

        QWidget editor(&main, Qt::Dialog);
        editor.resize(300, 200);
        DispFormPos(&editor, 1);
        QCOMPARE(editor.size(), QSize(300, 200));
        QVERIFY(qAbs(editor.frameGeometry().center().x() - main.frameGeometry().center().x()) <= 2);

        QWidget huge;
        huge.setMinimumSize(area.width() * 2, area.height() * 2);
        DispFormPos(&huge, 1);
        QVERIFY(area.contains(huge.pos()));
    }

    void splashStatusLine() {
        TfrmSplash splash;
        QCOMPARE(splash.status(), QString("系统正在启动，请稍候 ....."));
        splash.show();
        splash.setStatus("正在连接数据库 .....");
        QCOMPARE(splash.findChild<QLabel*>("lblStatus")->text(), QString("正在连接数据库 ....."));
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    }

    void comboEntries() {
        QComboBox box;
        box.addItem("old");
        setItems(&box, {"", "C1", " c1", "B2"});
        QCOMPARE(box.count(), 4);
        SelectItemByText("C1 ", &box);
        QCOMPARE(box.currentIndex(), 2);
        SelectItemByText("X", &box);
        QCOMPARE(box.currentIndex(), 2);
    }
};

QTEST_MAIN(TestCoreGui)
#include "tst_coregui.moc"
