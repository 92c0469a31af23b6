#include <QAction>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "CodeStore.h"
#include "DataGrid.h"
#include "FrmCodeMan.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"

class TestCodeMan : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    std::unique_ptr<TFrmCodeMan> window;
    TdmData& dm() { return home->dm(); }

    QString allCodes() {
        return dm().QueryText(QStringLiteral("select group_concat(F_ID || '|' || F_type || '|' || ifnull(F_name, '') || "
                                             "'|' || ifnull(F_code, ''), ';') from (select * from t_code order by F_ID)"));
    }
    QAction* command(const char* name) { return window->findChild<QAction*>(QLatin1String(name)); }
    void tab(const char* name) { window->findChild<QToolButton*>(QLatin1String(name))->click(); }
    QLineEdit* cell(const QString& field, int row) {
        return window->findChild<QLineEdit*>(QStringLiteral("%1_%2").arg(field).arg(row));
    }
    QStringList gridNames() {
        auto* grid = window->findChild<DataGrid*>(QStringLiteral("DBGridEh1"));
        QStringList names;
        for (int row = 0; row < grid->rowCount(); ++row) names << grid->value(row, QStringLiteral("F_name")).toString();
        return names;
    }

private Q_SLOTS:
    void init() {
        home = std::make_unique<TestHome>();
        QVERIFY(home->ok());
        QVERIFY(dm().RunSQL(QStringLiteral("delete from t_code")));
        for (const char* name : {"销售部", "财务部"})
            QVERIFY(dm().RunSQL(QStringLiteral("insert into t_code (F_type, F_name, F_code) values (?, ?, ?)"),
                                {QStringLiteral("DEPT"), QString::fromUtf8(name), QStringLiteral("x")}));
        window = std::make_unique<TFrmCodeMan>(dm());
        window->show();
    }
    void cleanup() { window.reset(); }

    void opensOnLicenceClassesWithExamSubjectsHidden() {
        QCOMPARE(window->typeKey(), QStringLiteral("bkcartype"));
        QVERIFY(!window->findChild<QToolButton*>(QStringLiteral("titemname"))->isVisible());
        QVERIFY(window->findChild<QToolButton*>(QStringLiteral("tcarStatus"))->isVisible());
        tab("tdept");
        QCOMPARE(window->typeKey(), QStringLiteral("dept"));
        QCOMPARE(gridNames(), QStringList({QStringLiteral("销售部"), QStringLiteral("财务部")}));
    }

    // New rows have no type while typed; saving gives them the tab's key.
    void newRowsAreHeldUntilSaved() {
        ScriptedMessageService::Scope messages;
        tab("txueLi");
        const QString before = allCodes();
        command("tbNew")->trigger();
        QVERIFY(window->isEditing());
        QVERIFY(!command("tbExit")->isEnabled());
        QVERIFY(!window->findChild<QToolButton*>(QStringLiteral("tdept"))->isEnabled());
        cell("F_name", 0)->setText(QStringLiteral("本科"));
        cell("F_code", 0)->setText(QStringLiteral("bk"));
        QTest::keyClick(cell("F_code", 0), Qt::Key_Down);
        cell("F_name", 1)->setText(QStringLiteral("大专"));
        QCOMPARE(allCodes(), before);
        QTest::keyClick(cell("F_name", 1), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!window->isEditing());
        QVERIFY(command("tbNew")->isEnabled() && !command("tbSave")->isEnabled());
        QCOMPARE(dm().QueryText(QStringLiteral("select group_concat(F_type || ':' || F_name || ':' || F_code, ' ') from "
                                               "(select * from t_code where F_type = ? order by F_ID)"),
                                {QStringLiteral("xueli")}),
                 QStringLiteral("xueLi:本科:bk xueLi:大专:"));
        QCOMPARE(CodeStore::pickItems(dm(), QStringLiteral("xueLI")),
                 QStringList({QString(), QStringLiteral("本科"), QStringLiteral("大专")}));
        QVERIFY(messages->messages.isEmpty());
    }

    void cancelDiscardsEveryChange() {
        tab("tdept");
        const QString before = allCodes();
        command("tbEdit")->trigger();
        cell("F_name", 0)->setText(QStringLiteral("改名"));
        QTest::keyClick(cell("F_name", 1), Qt::Key_Down);
        cell("F_name", 2)->setText(QStringLiteral("新部门"));
        QTest::keyClick(cell("F_name", 2), Qt::Key_Escape);
        QVERIFY(!window->isEditing());
        QCOMPARE(allCodes(), before);
        QCOMPARE(gridNames(), QStringList({QStringLiteral("销售部"), QStringLiteral("财务部")}));
        // Editing again and saving writes the rename over the same row.
        command("tbEdit")->trigger();
        cell("F_name", 0)->setText(QStringLiteral("市场部"));
        command("tbSave")->trigger();
        QCOMPARE(gridNames(), QStringList({QStringLiteral("市场部"), QStringLiteral("财务部")}));
        QCOMPARE(dm().QueryInt(QStringLiteral("select count(*) from t_code")), 2);
    }

    void deleteAsksWithTheCaptionAndWritesAtOnce_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("yes") << 1 << QStringList({QStringLiteral("财务部")});
        QTest::newRow("no") << 2 << QStringList({QStringLiteral("销售部"), QStringLiteral("财务部")});
    }
    void deleteAsksWithTheCaptionAndWritesAtOnce() {
        QFETCH(int, answer);
        QFETCH(QStringList, left);
        ScriptedMessageService::Scope messages;
        messages->answers.enqueue(answer);
        tab("tdept");
        QTest::keyClick(window->findChild<DataGrid*>(QStringLiteral("DBGridEh1"))->view(), Qt::Key_Delete);
        QCOMPARE(messages->texts_of(1), QStringList({QStringLiteral("真的要删除 \" 部    门 \"销售部吗？")}));
        QCOMPARE(gridNames(), left);
        QCOMPARE(dm().QueryInt(QStringLiteral("select count(*) from t_code")), left.size());
    }

    void emptyTypeRefusesEditAndDelete() {
        ScriptedMessageService::Scope messages;
        tab("tcarStatus");
        command("tbEdit")->trigger();
        command("tbDel")->trigger();
        QCOMPARE(messages->texts_of(3), QStringList({QStringLiteral("此表为空，没有记录需要修改！")}));
        QCOMPARE(messages->texts_of(0), QStringList({QStringLiteral("此表是空表，不需要删除！")}));
        QVERIFY(!window->isEditing());
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    }
};

QTEST_MAIN(TestCodeMan)
#include "tst_codeman.moc"
