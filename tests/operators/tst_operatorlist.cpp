#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

#include "CurrentOperator.h"
#include "DataDm.h"
#include "DataGrid.h"
#include "FrmLimitGl.h"
#include "FrmOperGl.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"

namespace {

QStringList listed(DataGrid* grid) {
    QStringList names;
    for (int row = 0; row < grid->rowCount(); ++row) names.append(grid->value(row, "F_Name").toString());
    return names;
}

}  // namespace

// The operator list: what it shows, and adding, changing and deleting from it.
class TestOperatorList : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    TdmData& dm() { return home->dm(); }

private Q_SLOTS:
    void init() {
        home = std::make_unique<TestHome>();
        QVERIFY(home->ok());
        setCurrentOperator({});
        QVERIFY(dm().RunSQL("insert into OperList(F_Name, F_PassWord, F_Mem, F_Flag, F_xtFlag, F_empFlag, F_empName) "
                            "values('Li', '', '白班', 0, 1, 2, ?), ('Gone', '', '', 1, 0, 0, ''), "
                            "('Wang', '', '', NULL, 0, 1, 'x')",
                            {"'Zhang','O''Neil'"}));
        QVERIFY(dm().RunSQL("insert into OperLimit(F_OperName, F_lmtName) values('Li', '新增')"));
    }

    void disabledOperatorsAreShownOnRequestInRed() {
        TfrmOperGl w(dm());
        w.show();
        DataGrid* grid = w.grid();
        QCOMPARE(w.windowTitle(), QString("操作员权限管理"));
        QCOMPARE(listed(grid), QStringList({"admin", "Li", "Wang"}));
        w.findChild<QCheckBox*>("chkShowDisabled")->setChecked(true);
        QCOMPARE(listed(grid), QStringList({"admin", "Li", "Gone", "Wang"}));
        QVERIFY(grid->model()->isMarked(2));
        QVERIFY(!grid->model()->isMarked(1) && !grid->model()->isMarked(3));
    }

    void theCurrentOperatorsDetailsAreShown() {
        TfrmOperGl w(dm());
        w.show();
        auto* salesmen = w.findChild<QLineEdit*>("edtEmpName");
        w.grid()->setCurrentRow(1);
        QCOMPARE(w.findChild<QPlainTextEdit*>("memMem")->toPlainText(), QString("白班"));
        QVERIFY(w.findChild<QCheckBox*>("chkAudit")->isChecked());
        QCOMPARE(w.findChild<QLabel*>("lblScope")->text(), QString("显示所列业务员学员"));
        QVERIFY(salesmen->isVisible());
        QCOMPARE(salesmen->text(), QString("'Zhang','O''Neil'"));
        w.grid()->setCurrentRow(2);
        QVERIFY(!w.findChild<QCheckBox*>("chkAudit")->isChecked());
        QCOMPARE(w.findChild<QLabel*>("lblScope")->text(), QString("显示本业务员的学员"));
        QVERIFY(!salesmen->isVisible());
    }

    void theAdministratorIsProtected_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("change") << "btnEdit" << "此用户为系统默认用户，不能修改和编辑！";
        QTest::newRow("delete") << "btnDel" << "此用户为系统默认用户，不能删除！";
    }
    void theAdministratorIsProtected() {
        QFETCH(QString, button);
        QFETCH(QString, message);
        ScriptedMessageService::Scope messages;
        TfrmOperGl w(dm());
        w.show();
        w.grid()->setCurrentRow(0);
        w.findChild<QPushButton*>(button)->click();
        QCOMPARE(messages->texts_of(3), QStringList{message});
        QCOMPARE(messages->messages.size(), 1);
        QCOMPARE(dm().QueryInt("select count(*) from OperList where F_Name = 'admin'"), 1);
    }

    void changingWithAnEmptyList() {
        QVERIFY(dm().RunSQL("update OperList set F_Flag = 1"));
        ScriptedMessageService::Scope messages;
        TfrmOperGl w(dm());
        w.show();
        w.findChild<QPushButton*>("btnEdit")->click();
        w.findChild<QPushButton*>("btnDel")->click();
        QCOMPARE(messages->texts_of(3), QStringList{"此表为空，没有记录需要修改！"});
        QCOMPARE(messages->messages.size(), 1);
    }

    void deletingAsks_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("yes") << 1 << QStringList({"admin", "Wang"});
        QTest::newRow("no") << 2 << QStringList({"admin", "Li", "Wang"});
    }
    void deletingAsks() {
        QFETCH(int, answer);
        QFETCH(QStringList, after);
        ScriptedMessageService::Scope messages;
        messages->answers.enqueue(answer);
        TfrmOperGl w(dm());
        w.show();
        w.grid()->setCurrentRow(1);
        w.findChild<QPushButton*>("btnDel")->click();
        QCOMPARE(messages->texts_of(1), QStringList{"真的要删除当前操作员 \"Li\" 吗？"});
        QCOMPARE(listed(w.grid()), after);
        // Its permission rows stay either way.
        QCOMPARE(dm().QueryInt("select count(*) from OperLimit where F_OperName = 'Li'"), 1);
    }

    void aNewOperatorIsListedWhileTheEditorStaysOpen() {
        TfrmOperGl w(dm());
        w.show();
        bool checked = false;
        QTimer::singleShot(0, [&] {
            auto* editor = qobject_cast<TFrmLimitGl*>(QApplication::activeModalWidget());
            QVERIFY(editor);
            QVERIFY(editor->isNewMode());
            editor->findChild<QComboBox*>("cbbName")->setEditText("Zhao");
            editor->findChild<QPushButton*>("btnSave")->click();
            QVERIFY(editor->isVisible());
            QCOMPARE(listed(w.grid()), QStringList({"admin", "Li", "Wang", "Zhao"}));
            QCOMPARE(w.grid()->value("F_Name").toString(), QString("Zhao"));
            checked = true;
            editor->findChild<QPushButton*>("btnClose")->click();
        });
        w.findChild<QPushButton*>("btnNew")->click();
        QVERIFY(checked);
    }

    void changingOpensTheEditorOnTheCurrentOperator() {
        TfrmOperGl w(dm());
        w.show();
        w.grid()->setCurrentRow(2);
        bool checked = false;
        QTimer::singleShot(0, [&] {
            auto* editor = qobject_cast<TFrmLimitGl*>(QApplication::activeModalWidget());
            QVERIFY(editor);
            QVERIFY(!editor->isNewMode());
            auto* name = editor->findChild<QComboBox*>("cbbName");
            QCOMPARE(name->currentText(), QString("Wang"));
            name->setEditText("Wang Wu");
            editor->findChild<QPushButton*>("btnSave")->click();
            checked = true;
        });
        w.findChild<QPushButton*>("btnEdit")->click();
        QVERIFY(checked);
        QCOMPARE(listed(w.grid()), QStringList({"admin", "Li", "Wang Wu"}));
        QCOMPARE(w.grid()->currentRow(), 2);
    }
};

QTEST_MAIN(TestOperatorList)
#include "tst_operatorlist.moc"
