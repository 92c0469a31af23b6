#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QCheckBox>
#include <QTest>

#include "CurrentOperator.h"
#include "DataGrid.h"
#include "DetailPanes.h"
#include "FrmMain.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"

namespace {

// Four trainees: 王小明 (two make-up exams, a payment, a reminder), 王芳 (a payment),
// 李四 (finished, coach 张教练), 赵六 (coach 张教练, plate 粤B0001学).
void fillSchool(TdmData& dm) {
    const QVariantList trainees[] = {
        {1, "Y201212001", "王小明", 0, 0, "C1", "刘教练", "粤B0002学", "业务甲"},
        {2, "Y201212002", "王芳", 0, 1, "C1", "刘教练", "粤B0002学", "业务乙"},
        {3, "Y201212003", "李四", 1, 1, "B2", "张教练", "粤B0001学", "业务甲"},
        {4, "Y201212004", "赵六", 0, 2, "C2", "张教练", "粤B0001学", "业务乙"},
    };
    for (const QVariantList& t : trainees)
        QVERIFY(dm.RunSQL("insert into T_employee (F_mainID, F_code, F_name, F_useFlag, F_SKflag, F_BKcarType, "
                          "F_JLemp, F_CPcode, F_empName, F_BMdate, F_ZKZdate) values (?,?,?,?,?,?,?,?,?,'2012-12-01','1900-08-14')",
                          t));
    QVERIFY(dm.RunSQL("insert into t_BKrec (F_mainID, F_ItemName, F_BKdate, F_editDate) values "
                      "(1, '科目一', '2012-12-20', '2012-12-20 10:00:00'), (1, '桩考', '2013-01-05', '2013-01-05 10:00:00')"));
    QVERIFY(dm.RunSQL("insert into t_SKrec (F_mainID, F_SKprice, F_SKdate, F_editDate) values "
                      "(1, 1000, '2012-12-01', '2012-12-01'), (2, 3000, '2012-12-02', '2012-12-02')"));
    QVERIFY(dm.RunSQL("insert into t_TXrec (F_mainID, F_caption, F_awokeDate, F_editDate) values "
                      "(1, '体检提醒', '2012-12-10', '2012-12-01')"));
    QVERIFY(dm.RunSQL("insert into EmpList (F_name, F_duty) values ('张教练', '教练员'), ('刘教练', '教练员'), "
                      "('业务甲', '业务员')"));
}

void loginAs(TdmData& dm, const QString& name, const QStringList& permissions = {}) {
    OperatorValues op;
    op.name = name;
    op.customSettings = QStringList(15);
    op.customSettings[0] = "学车班型";
    op.customSettings[8] = "体检日期";
    for (const QString& p : permissions)
        dm.RunSQL("insert into OperLimit (F_OperName, F_lmtName) select ?, F_name from Limits where F_code = ?", {name, p});
    setCurrentOperator(op);
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    std::unique_ptr<TFrmMain> window;

    DataGrid* trainees() { return window->traineeGrid(); }
    QString countLine() { return window->findChild<QLabel*>("lblCount")->text(); }
    QStringList names() {
        QStringList out;
        for (int r = 0; r < trainees()->rowCount(); ++r) out.append(trainees()->value(r, "F_name").toString());
        return out;
    }
    void open(const QString& operatorName = "admin", const QStringList& permissions = {}) {
        home = std::make_unique<TestHome>();
        fillSchool(home->dm());
        loginAs(home->dm(), operatorName, permissions);
        window = std::make_unique<TFrmMain>(home->dm());
        window->SetLimits();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
    }

private Q_SLOTS:
    void cleanup() {
        if (window) {
            ScriptedMessageService::Scope messages;
            messages->answers.enqueue(1);
            window->close();
        }
        window.reset();
        home.reset();
    }

    void showsTheListAsTheOfficeExpects() {
        open();
        // Finished trainees are hidden until asked for; the first row's records fill the panes.
        QCOMPARE(names(), QStringList({"王小明", "王芳", "赵六"}));
        QCOMPARE(countLine(), QString("学员总数：3个"));
        QCOMPARE(window->detailPanes()->grid(0)->rowCount(), 2);
        QCOMPARE(window->detailPanes()->grid(1)->rowCount(), 1);
        QCOMPARE(window->detailPanes()->grid(2)->rowCount(), 1);
        // Custom column titles come from the operator's custom settings.
        QStringList captions;
        for (const GridColumn& c : trainees()->columns()) captions.append(c.caption);
        QVERIFY(captions.contains("学车班型"));
        QVERIFY(captions.contains("体检日期"));
        // The no-date admission ticket shows blank, payment state as text.
        QCOMPARE(trainees()->model()->displayText(0, GridColumn::forField("F_ZKZdate", "")), QString());
        QCOMPARE(trainees()->model()->displayText(1, GridColumn::forField("F_SKflag", "")), QString("已付清"));

        window->findChild<QCheckBox*>("cbIncludeFinished")->setChecked(true);
        QCOMPARE(names(), QStringList({"王小明", "王芳", "李四", "赵六"}));
        QVERIFY(trainees()->model()->isMarked(2));
        QVERIFY(!trainees()->model()->isMarked(0));
    }

    void panesFollowTheCurrentTrainee() {
        open();
        window->detailPanes()->setCurrentTab(2);
        trainees()->setCurrentRow(1);  // 王芳: one payment, nothing else
        QCOMPARE(window->detailPanes()->grid(0)->rowCount(), 0);
        QCOMPARE(window->detailPanes()->grid(1)->rowCount(), 1);
        QCOMPARE(window->detailPanes()->grid(1)->value("F_SKprice").toDouble(), 3000.0);
        QCOMPARE(window->detailPanes()->grid(2)->rowCount(), 0);
        trainees()->setCurrentRow(0);
        QCOMPARE(window->detailPanes()->grid(0)->rowCount(), 2);
    }

    void everyKeystrokeRunsTheQuery() {
        open();
        auto* field = window->findChild<QComboBox*>("cbbSearchField");
        auto* text = window->findChild<QLineEdit*>("edtSearchText");
        field->setCurrentIndex(0);
        text->setFocus();
        // Chinese characters arrive as key events carrying their text, one per keystroke.
        QTest::sendKeyEvent(QTest::Click, text, Qt::Key_unknown, QString("王"), Qt::NoModifier);
        QCOMPARE(names(), QStringList({"王小明", "王芳"}));
        QTest::sendKeyEvent(QTest::Click, text, Qt::Key_unknown, QString("小"), Qt::NoModifier);
        QCOMPARE(names(), QStringList({"王小明"}));
        QCOMPARE(countLine(), QString("学员总数：1个"));
        text->setText("O'N%");  // a quote finds nothing instead of failing
        QCOMPARE(names(), QStringList());
        QCOMPARE(window->detailPanes()->grid(0)->rowCount(), 0);
    }

    void paymentStateAndNavigation() {
        open();
        window->findChild<QRadioButton*>("rbPayState3")->click();  // 其  他
        QCOMPARE(names(), QStringList({"赵六"}));
        window->findChild<QRadioButton*>("rbPayState0")->click();

        auto* type = window->findChild<QComboBox*>("cbbNavType");
        auto* nav = window->findChild<DataGrid*>("gridNav");
        type->setCurrentIndex(1);  // coaches
        QCOMPARE(nav->value(0, "F_name").toString(), QString("全部"));
        QVERIFY(nav->locate("F_name", "张教练"));
        QCOMPARE(names(), QStringList({"赵六"}));
        // Another type refills the list and falls back to all trainees.
        type->setCurrentIndex(3);
        QCOMPARE(nav->currentRow(), 0);
        QCOMPARE(names(), QStringList({"王小明", "王芳", "赵六"}));
        QVERIFY(nav->locate("F_name", "业务甲"));
        QCOMPARE(names(), QStringList({"王小明"}));
        window->findChild<QPushButton*>("btnRefreshNav")->click();
        QCOMPARE(nav->currentRow(), 0);
        QCOMPARE(names().size(), 3);
    }

    void deleteKeepsPayments() {
        open();
        ScriptedMessageService::Scope messages;
        messages->answers.enqueue(1);
        QTest::keyClick(trainees()->view(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(messages->texts_of(1),
                 QStringList({"删除当前学员档案记录，将删除当前记录所有相关内容，\n真的要删除当前学员为 王小明 的档案记录吗？"}));
        QCOMPARE(names(), QStringList({"王芳", "赵六"}));
        TdmData& dm = home->dm();
        QCOMPARE(dm.QueryInt("select count(*) from t_BKrec where F_mainID = 1"), 0);
        QCOMPARE(dm.QueryInt("select count(*) from t_TXrec where F_mainID = 1"), 0);
        QCOMPARE(dm.QueryInt("select count(*) from t_SKrec where F_mainID = 1"), 1);
        // Declining deletes nothing.
        messages->answers.enqueue(2);
        QTest::keyClick(trainees()->view(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(names().size(), 2);
    }

    void keysObeyPermissions() {
        open("教务员", {"201"});
        ScriptedMessageService::Scope messages;
        // Delete and edit are hidden: their keys do nothing (an unexpected question would fail the test).
        QVERIFY(!window->command("Action203")->isVisible());
        QTest::keyClick(trainees()->view(), Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(trainees()->view(), Qt::Key_E, Qt::ControlModifier);
        emit trainees()->rowDoubleClicked(0);
        QVERIFY(messages->messages.isEmpty());
        QCOMPARE(names().size(), 3);
        // The detail panes' commands follow the trainee commands.
        QVERIFY(window->command("Action901")->isVisible());
        QVERIFY(!window->command("Action903")->isVisible());
    }

    void emptyListMessages() {
        open();
        window->findChild<QComboBox*>("cbbSearchField")->setCurrentIndex(0);
        window->findChild<QLineEdit*>("edtSearchText")->setText("没有这个人");
        QCOMPARE(trainees()->rowCount(), 0);
        ScriptedMessageService::Scope messages;
        window->command("Action202")->trigger();
        window->command("Action207")->trigger();
        window->detailPanes()->setCurrentTab(2);
        window->command("Action901")->trigger();
        window->command("Action902")->trigger();
        QCOMPARE(messages->messages.size(), 4);
        QCOMPARE(messages->messages[0].text, QString("此表为空，没有记录需要修改！"));
        QCOMPARE(messages->messages[0].kind, 3);
        QCOMPARE(messages->messages[1].text, QString("学员档案记录是空，不能复制！"));
        QCOMPARE(messages->messages[1].kind, 0);
        QCOMPARE(messages->messages[2].text, QString("请先选择要增加提醒记录的学员档案资料！"));
        QCOMPARE(messages->messages[2].kind, 0);
        QVERIFY(trainees()->view()->hasFocus());
        QCOMPARE(messages->messages[3].text, QString("此表为空，没有记录需要修改！"));
        QCOMPARE(messages->messages[3].kind, 3);
    }

    void paneDeleteRemovesExactlyTheRow() {
        open();
        window->detailPanes()->setCurrentTab(0);
        DataGrid* makeUp = window->detailPanes()->grid(0);
        makeUp->setCurrentRow(1);
        ScriptedMessageService::Scope messages;
        messages->answers.enqueue(1);
        window->command("Action903")->trigger();
        QCOMPARE(messages->texts_of(1), QStringList({"真的要删除当前补考日期为“2013-01-05”的报考记录吗？"}));
        QCOMPARE(makeUp->rowCount(), 1);
        QCOMPARE(makeUp->value("F_ItemName").toString(), QString("科目一"));
        QCOMPARE(window->detailPanes()->grid(2)->rowCount(), 1);
    }

    void databaseFolderCommand() {
        open();
        ScriptedMessageService::Scope messages;
        const QString before = home->dm().config().readString("config", "ds");
        messages->files.enqueue(QString());
        window->command("Action505")->trigger();
        QCOMPARE(home->dm().config().readString("config", "ds"), before);
        messages->files.enqueue("/srv/school/data/any.db");
        window->command("Action505")->trigger();
        QCOMPARE(home->dm().config().readString("config", "ds"), QString("/srv/school/data/"));
        // The running connection is unchanged.
        QVERIFY(home->dm().QueryInt("select count(*) from T_employee") > 0);
    }

    void compactionKeepsTheListOpen() {
        open();
        ScriptedMessageService::Scope messages;
        window->command("Action504")->trigger();
        QCOMPARE(messages->texts_of(0), QStringList({"压缩数据库成功！"}));
        QCOMPARE(names().size(), 3);
    }

    void traineeLayoutIsSavedAfterTheQuestion() {
        open();
        GridColumns columns = trainees()->columns();
        columns[1].visible = false;
        trainees()->setColumns(columns);
        ScriptedMessageService::Scope messages;
        messages->answers.enqueue(2);
        window->command("Action206")->trigger();
        QCOMPARE(home->dm().QueryInt("select F_Visible from cfg_Grid where F_name = 'DovOrerMain' and F_FieldName = ?",
                                     {columns[1].fieldName}), 1);
        messages->answers.enqueue(1);
        window->command("Action206")->trigger();
        QCOMPARE(home->dm().QueryInt("select F_Visible from cfg_Grid where F_name = 'DovOrerMain' and F_FieldName = ?",
                                     {columns[1].fieldName}), 0);
    }

    void advancedSearch() {
        open();
        auto* toggle = window->findChild<QPushButton*>("btnAdvancedSearch");
        // Without the query dialog the toggle springs back and nothing changes.
        toggle->click();
        QVERIFY(!toggle->isChecked());
        QCOMPARE(names().size(), 3);
        window->setAdvancedSearch([] {
            return std::optional<SqlStatement>({"select * from T_employee where F_BKcarType = ? ", {"B2"}});
        });
        toggle->click();
        QVERIFY(toggle->isChecked());
        QCOMPARE(names(), QStringList({"李四"}));
        // Any later query ends the advanced search.
        window->findChild<QRadioButton*>("rbPayState0")->click();
        QVERIFY(!toggle->isChecked());
        QCOMPARE(names().size(), 3);
    }

    void editorSavesAndTheListFollows() {
        open();
        trainees()->setCurrentRow(1);  // 王芳
        ScriptedMessageService::Scope messages;
        bool edited = false;
        QTimer::singleShot(0, [&edited] {
            auto* editor = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(editor);
            QCOMPARE(editor->objectName(), QString("TfrmCltEdit"));
            auto* name = editor->findChild<QLineEdit*>("edtName");
            QCOMPARE(name->text(), QString("王芳"));
            name->setText("王芳芳");
            editor->findChild<QPushButton*>("Button1")->click();
            edited = true;
        });
        emit trainees()->rowDoubleClicked(1);
        QVERIFY(edited);
        QCOMPARE(names(), QStringList({"王小明", "王芳芳", "赵六"}));
        QCOMPARE(trainees()->value("F_name").toString(), QString("王芳芳"));
        QCOMPARE(window->findChild<QLabel*>("StatusPanel2")->text(), QString("客户总数：3"));
    }

    void reportCommandsUseTheList() {
        open();
        trainees()->setCurrentRow(0);
        const auto previews = [] {
            QList<QWidget*> out;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && w->objectName() == "TfrmReportPreview") out.append(w);
            return out;
        };
        window->command("Action303")->trigger();
        QCOMPARE(previews().size(), 1);
        previews().first()->close();
        QTRY_COMPARE(previews().size(), 0);
        // An empty list opens nothing.
        window->findChild<QComboBox*>("cbbSearchField")->setCurrentIndex(0);
        window->findChild<QLineEdit*>("edtSearchText")->setText("没有这个人");
        window->command("Action304")->trigger();
        QCOMPARE(previews().size(), 0);
    }

    void statusBarAndViewToggles() {
        open();
        QCOMPARE(window->findChild<QLabel*>("StatusPanel1")->text(), QString(" admin"));
        const QString clock = window->findChild<QLabel*>("StatusPanel3")->text().trimmed();
        QVERIFY(QDateTime::fromString(clock, "yyyy-MM-dd hh:mm:ss").isValid());
        QTRY_VERIFY_WITH_TIMEOUT(window->findChild<QLabel*>("StatusPanel3")->text().trimmed() != clock, 2500);
        QStringList view;
        for (QAction* a : window->topMenu("mi600")->actions()) view.append(a->text() + (a->isChecked() ? "√" : ""));
        QCOMPARE(view, QStringList({"工具栏√", "导航树√", "状态栏√"}));
        QCOMPARE(window->topMenu("mi800")->actions().size(), 3);
        window->command("miStatusBar")->trigger();
        QVERIFY(!window->statusBar()->isVisible());
        window->command("miToolBar")->trigger();
        QVERIFY(!window->findChild<QToolBar*>("ToolBar1")->isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
