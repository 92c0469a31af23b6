#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "CommandTable.h"
#include "CurrentOperator.h"
#include "DataDm.h"
#include "FrmMain.h"
#include "FrmOperLogin.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"

namespace {

const QStringList kTopMenus{"mi100", "mi200", "mi300", "mi400", "mi500", "mi600", "mi700", "mi800"};

QStringList visibleTopMenus(TFrmMain& w) {
    QStringList names;
    for (const QString& name : kTopMenus)
        if (w.topMenu(name)->menuAction()->isVisible()) names.append(name);
    return names;
}

void loginAs(const QString& name) {
    OperatorValues v;
    v.name = name;
    setCurrentOperator(v);
}

}  // namespace

// The main window's commands and which of them an operator sees.
class TestCommandLimits : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    TdmData& dm() { return home->dm(); }

    void grant(const QString& name, const QStringList& permissions) {
        QVERIFY(dm().RunSQL("insert into OperList(F_Name, F_PassWord) values(?, '')", {name}));
        for (const QString& p : permissions)
            QVERIFY(dm().RunSQL("insert into OperLimit(F_OperName, F_lmtName) values(?, ?)", {name, p}));
    }

private Q_SLOTS:
    void init() {
        home = std::make_unique<TestHome>();
        QVERIFY(home->ok());
        loginAs(QString());
    }

    void everyCommandIsAnActionOfTheMainWindow() {
        TFrmMain w(dm());
        for (const CommandInfo& c : commandTable()) {
            auto* action = w.findChild<QAction*>(c.name);
            QVERIFY2(action, qPrintable(c.name));
            QCOMPARE(action->toolTip(), c.caption);
            QCOMPARE(action->text(), c.menuText.isEmpty() ? c.caption : c.menuText);
        }
        QCOMPARE(w.command("Action101")->text(), QString("驾校档案"));
        QCOMPARE(w.command("Action204")->iconText(), QString("排序"));
        QCOMPARE(w.command("Action402")->iconText(), QString("档案提醒"));
        QStringList titles;
        for (QAction* a : w.menuBar()->actions()) titles.append(a->text());
        QCOMPARE(titles, QStringList({"文件", "编辑", "输出", "统计", "数据", "视图", "工具", "帮助"}));
        QStringList edit;
        for (QAction* a : w.topMenu("mi200")->actions()) edit.append(a->isSeparator() ? "-" : a->objectName());
        QCOMPARE(edit, QStringList({"Action201", "Action207", "Action202", "Action203", "-", "Action209", "Action210",
                                    "Action208", "Action211", "-", "Action204", "Action205", "Action206"}));
    }

    void permissionsDecideWhatIsShown_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("permissions");
        QTest::addColumn<QStringList>("menus");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("hidden");
        QTest::newRow("no permissions")
            << "Li" << QStringList{} << QStringList{"mi600", "mi700", "mi800"}
            << QStringList{"Action506", "Action507", "N43", "miExit"}
            << QStringList{"Action101", "Action201", "Action505", "Action901", "Action31"};
        QTest::newRow("one data command keeps the data menu")
            << "Li" << QStringList{"系统数据清理"} << QStringList{"mi500", "mi600", "mi700", "mi800"}
            << QStringList{"Action502"} << QStringList{"Action501", "Action503"};
        QTest::newRow("pane commands follow the main ones")
            << "Li" << QStringList{"新增", "导出"} << QStringList{"mi200", "mi300", "mi600", "mi700", "mi800"}
            << QStringList{"Action201", "Action901", "Action301", "Action31"}
            << QStringList{"Action202", "Action902", "Action302"};
        QTest::newRow("a quote in the operator's name")
            << "O'Neil" << QStringList{"用户权限"} << QStringList{"mi100", "mi600", "mi700", "mi800"}
            << QStringList{"Action103"} << QStringList{"Action102"};
        QTest::newRow("admin needs no rows")
            << " ADMIN " << QStringList{} << kTopMenus
            << QStringList{"Action101", "Action211", "Action407", "Action505", "Action906", "Action31"}
            << QStringList{};
    }
    void permissionsDecideWhatIsShown() {
        QFETCH(QString, name);
        QFETCH(QStringList, permissions);
        QFETCH(QStringList, menus);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, hidden);
        if (name != " ADMIN ") grant(name, permissions);
        TFrmMain w(dm());
        // What the previous operator saw must not linger.
        loginAs("admin");
        w.SetLimits();
        loginAs(name);
        ScriptedMessageService::Scope messages;
        w.SetLimits();
        QCOMPARE(visibleTopMenus(w), menus);
        for (const QString& c : shown) QVERIFY2(w.command(c)->isVisible(), qPrintable(c));
        for (const QString& c : hidden) QVERIFY2(!w.command(c)->isVisible(), qPrintable(c));
        QVERIFY(messages->messages.isEmpty());
    }

    void theFirstLoginAppliesThePermissions() {
        grant("Li", {"更改密码"});
        TFrmMain w(dm());
        QTimer::singleShot(0, [] {
            auto* login = qobject_cast<TfrmOperLogin*>(QApplication::activeModalWidget());
            QVERIFY(login);
            login->findChild<QComboBox*>("cbbName")->setEditText("Li");
            login->findChild<QPushButton*>("btnOK")->click();
        });
        QVERIFY(w.login(TfrmOperLogin::FirstLogin));
        QCOMPARE(currentOperator().name, QString("Li"));
        QVERIFY(w.command("Action102")->isVisible());
        QVERIFY(!w.command("Action103")->isVisible());
        QCOMPARE(visibleTopMenus(w), QStringList({"mi100", "mi600", "mi700", "mi800"}));
    }

    void aCancelledFirstLoginEndsTheProgram() {
        TFrmMain w(dm());
        QTimer::singleShot(0, [] {
            QWidget* login = QApplication::activeModalWidget();
            QVERIFY(login);
            login->findChild<QPushButton*>("btnCancel")->click();
        });
        QVERIFY(!w.login(TfrmOperLogin::FirstLogin));
    }
};

QTEST_MAIN(TestCommandLimits)
#include "tst_commandlimits.moc"
