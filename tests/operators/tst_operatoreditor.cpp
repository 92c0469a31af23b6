#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

#include "CurrentOperator.h"
#include "DLGselectEmpSTR.h"
#include "DataDm.h"
#include "FrmLimitGl.h"
#include "Helpers.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"

namespace {

QStringList ticked(QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked) names.append(list->item(i)->text());
    return names;
}

void tick(QListWidget* list, const QString& name, bool on = true) {
    const auto items = list->findItems(name, Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    items.first()->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

// Runs `drive` on the modal window that opens next.
void whenModalOpens(const std::function<void(QWidget*)>& drive) {
    QTimer::singleShot(0, [drive] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        drive(modal);
    });
}

}  // namespace

// The operator editor and the salesman picker, driven through their controls.
class TestOperatorEditor : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    TdmData& dm() { return home->dm(); }

    QStringList granted(const QString& name) {
        QStringList rows;
        QSqlQuery q;
        dm().OpenSQL(q, "select F_lmtName from OperLimit where F_OperName = ? order by F_ID", {name});
        while (q.next()) rows.append(q.value(0).toString());
        return rows;
    }

    void addStaff(const QString& name, bool left = false) {
        QVERIFY(dm().RunSQL("insert into EmpList(F_name, F_flag) values(?, ?)", {name, left ? 1 : 0}));
    }

private Q_SLOTS:
    void init() {
        home = std::make_unique<TestHome>();
        QVERIFY(home->ok());
        setCurrentOperator({});
    }

    void newOperatorsAreSavedAndTheEditorStaysOpenAndEmpty() {
        ScriptedMessageService::Scope messages;
        TFrmLimitGl w(dm(), 0);
        QSignalSpy saved(&w, &TFrmLimitGl::saved);
        w.show();
        auto* permissions = w.findChild<QListWidget*>("lstLimits");
        QCOMPARE(permissions->count(), 34);
        QCOMPARE(permissions->item(0)->text(), QString("驾校信息"));
        QCOMPARE(permissions->item(33)->text(), QString("连接网络数据"));
        auto* panel = w.findChild<QWidget*>("pnlEmpName");
        QVERIFY(w.findChild<QRadioButton*>("rbScope0")->isChecked());
        QVERIFY(!panel->isVisible());

        w.findChild<QComboBox*>("cbbName")->setEditText("  Li Ming ");
        w.findChild<QLineEdit*>("edtPass")->setText("pw ");
        w.findChild<QLineEdit*>("edtPass1")->setText("pw ");
        w.findChild<QPlainTextEdit*>("memMem")->setPlainText("前台");
        w.findChild<QCheckBox*>("chkAudit")->setChecked(true);
        w.findChild<QRadioButton*>("rbScope2")->setChecked(true);
        QVERIFY(panel->isVisible());
        w.findChild<QLineEdit*>("edtEmpName")->setText("'Zhang'");
        w.findChild<QPushButton*>("btnAll")->click();
        QCOMPARE(ticked(permissions).size(), 34);
        w.findChild<QPushButton*>("btnNone")->click();
        tick(permissions, "删除");
        tick(permissions, "新增");
        w.findChild<QPushButton*>("btnSave")->click();

        QVERIFY(messages->messages.isEmpty());
        QCOMPARE(saved.count(), 1);
        QCOMPARE(saved.first().first().toString(), QString("Li Ming"));
        QCOMPARE(granted("Li Ming"), QStringList({"新增", "删除"}));  // in list order
        QSqlQuery q;
        QVERIFY(dm().OpenSQL(q, "select F_PassWord, F_xtFlag, F_empFlag, F_empName, F_Mem from OperList "
                                "where F_Name = 'Li Ming'"));
        QVERIFY(q.next());
        QVERIFY(CheckPass(q.value(0).toString(), "pw "));
        QCOMPARE(q.value(1).toInt(), 1);
        QCOMPARE(q.value(2).toInt(), 2);
        QCOMPARE(q.value(3).toString(), QString("'Zhang'"));
        QCOMPARE(q.value(4).toString(), QString("前台"));
        q.finish();

        QVERIFY(w.isVisible());
        QCOMPARE(w.findChild<QComboBox*>("cbbName")->currentText(), QString());
        QVERIFY(w.findChild<QLineEdit*>("edtPass")->text().isEmpty());
        QVERIFY(w.findChild<QPlainTextEdit*>("memMem")->toPlainText().isEmpty());
        QVERIFY(!w.findChild<QCheckBox*>("chkAudit")->isChecked());
        QVERIFY(w.findChild<QRadioButton*>("rbScope0")->isChecked());
        QVERIFY(!panel->isVisible());
        QVERIFY(ticked(permissions).isEmpty());
    }

    void editingLoadsTheOperatorWithoutItsPassword() {
        QVERIFY(dm().RunSQL("insert into OperList(F_Name, F_PassWord, F_Mem, F_Flag, F_xtFlag, F_empFlag, F_empName) "
                            "values(?, ?, 'm', 1, 1, 2, ?)",
                            {"O'Neil", SavePass("secret"), "'A','B'"}));
        const qint64 id = dm().QueryInt("select F_ID from OperList where F_Name = ?", {"O'Neil"});
        QVERIFY(dm().RunSQL("insert into OperLimit(F_OperName, F_lmtName) values(?, '修改'), (?, '导出')",
                            {"O'Neil", "o'neil"}));
        ScriptedMessageService::Scope messages;
        TFrmLimitGl w(dm(), id);
        QSignalSpy saved(&w, &TFrmLimitGl::saved);
        w.show();
        QCOMPARE(w.findChild<QComboBox*>("cbbName")->currentText(), QString("O'Neil"));
        QVERIFY(w.findChild<QLineEdit*>("edtPass")->text().isEmpty());
        QVERIFY(w.findChild<QLineEdit*>("edtPass1")->text().isEmpty());
        QVERIFY(w.findChild<QCheckBox*>("chkDisabled")->isChecked());
        QVERIFY(w.findChild<QCheckBox*>("chkAudit")->isChecked());
        QVERIFY(w.findChild<QRadioButton*>("rbScope2")->isChecked());
        QVERIFY(w.findChild<QWidget*>("pnlEmpName")->isVisible());
        QCOMPARE(w.findChild<QLineEdit*>("edtEmpName")->text(), QString("'A','B'"));
        QCOMPARE(ticked(w.findChild<QListWidget*>("lstLimits")), QStringList({"修改", "导出"}));

        w.findChild<QPushButton*>("btnSave")->click();
        QVERIFY(messages->messages.isEmpty());
        QCOMPARE(saved.count(), 1);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(!w.isVisible());
        QVERIFY(CheckPass(dm().QueryText("select F_PassWord from OperList where F_ID = ?", {id}), "secret"));
    }

    void aSalesmanListOutsideTheThirdScopeIsNotShown() {
        QVERIFY(dm().RunSQL("insert into OperList(F_Name, F_empFlag, F_empName) values('Li', 1, ?)", {"'A'"}));
        TFrmLimitGl w(dm(), dm().QueryInt("select F_ID from OperList where F_Name = 'Li'"));
        w.show();
        QVERIFY(w.findChild<QRadioButton*>("rbScope1")->isChecked());
        QVERIFY(!w.findChild<QWidget*>("pnlEmpName")->isVisible());
        QVERIFY(w.findChild<QLineEdit*>("edtEmpName")->text().isEmpty());
    }

    void refusedSavesTellWhy_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no name") << " " << "" << 0 << "操作员名称不能为空！" << "cbbName";
        QTest::newRow("confirmation") << "Li" << "x" << 0 << "验正码不正确，请重新确认输入！" << "edtPass1";
        QTest::newRow("taken") << "ADMIN" << "" << 0 << "操作员名称重复，请重新输入！" << "cbbName";
        QTest::newRow("database refuses") << "refused" << "" << 3 << "保存失败，请检测数据库连接！" << "";
    }
    void refusedSavesTellWhy() {
        QFETCH(QString, name);
        QFETCH(QString, confirmation);
        QFETCH(int, kind);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QVERIFY(dm().RunSQL("create trigger refuse before insert on OperList when new.F_Name = 'refused' "
                            "begin select raise(abort, 'refused'); end"));
        ScriptedMessageService::Scope messages;
        TFrmLimitGl w(dm(), 0);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.findChild<QComboBox*>("cbbName")->setEditText(name);
        w.findChild<QLineEdit*>("edtPass1")->setText(confirmation);
        w.findChild<QPushButton*>("btnSave")->click();
        QCOMPARE(messages->texts_of(kind), QStringList{message});
        QVERIFY(w.isVisible());
        QCOMPARE(w.findChild<QComboBox*>("cbbName")->currentText(), name);
        if (!focus.isEmpty()) QCOMPARE(QApplication::focusWidget(), w.findChild<QWidget*>(focus));
    }

    void enterMovesOnExceptInTheDescription() {
        TFrmLimitGl w(dm(), 0);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* password = w.findChild<QLineEdit*>("edtPass");
        password->setFocus();
        QTest::keyClick(password, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.findChild<QLineEdit*>("edtPass1"));
        auto* memo = w.findChild<QPlainTextEdit*>("memMem");
        memo->setFocus();
        QTest::keyClicks(memo, "a");
        QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, "b");
        QCOMPARE(memo->toPlainText(), QString("a\nb"));
        auto* disabled = w.findChild<QCheckBox*>("chkDisabled");
        disabled->setFocus();
        QTest::keyClick(disabled, Qt::Key_Return);
        QVERIFY(!disabled->isChecked());
        QVERIFY(QApplication::focusWidget() != disabled);
    }

    void theNameBoxOffersOperatorNameCodes() {
        QVERIFY(dm().RunSQL("insert into t_code(F_type, F_name) values('opername', '张三')"));
        TFrmLimitGl w(dm(), 0);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* name = w.findChild<QComboBox*>("cbbName");
        name->setEditText("typed");
        w.findChild<QPlainTextEdit*>("memMem")->setFocus();
        name->setFocus();
        QVERIFY(name->findText("张三") > 0);
        QCOMPARE(name->currentText(), QString("typed"));
    }

    void thePickerTicksListedNamesAndReturnsTheList() {
        for (const char* n : {"Zhang", "Li", "Wang", "Zh"}) addStaff(n);
        addStaff("Lin", true);
        TDLGselectEmpSTR w(dm(), "'Zhang'，'Li'");
        QCOMPARE(w.windowTitle(), QString("业务员选择"));
        auto* list = w.findChild<QListWidget*>("lstEmp");
        QCOMPARE(list->count(), 4);  // staff who left are not offered
        QCOMPARE(ticked(list), QStringList({"Zhang", "Li", "Zh"}));
        tick(list, "Zh", false);
        tick(list, "Wang");
        QCOMPARE(w.resultText(), QString("'Zhang','Li','Wang'"));
        for (const char* n : {"Zhang", "Li", "Wang"}) tick(list, n, false);
        QCOMPARE(w.resultText(), QString());
    }

    void pickingFromTheEditor() {
        addStaff("Zhang");
        addStaff("O'Neil");
        TFrmLimitGl w(dm(), 0);
        w.show();
        w.findChild<QRadioButton*>("rbScope2")->setChecked(true);
        auto* salesmen = w.findChild<QLineEdit*>("edtEmpName");
        salesmen->setText("'Zhang'");
        whenModalOpens([](QWidget* picker) {
            QCOMPARE(picker->objectName(), QString("TDLGselectEmpSTR"));
            tick(picker->findChild<QListWidget*>("lstEmp"), "O'Neil");
            picker->findChild<QPushButton*>("btnOK")->click();
        });
        w.findChild<QPushButton*>("btnEmpName")->click();
        QCOMPARE(salesmen->text(), QString("'Zhang','O'Neil'"));

        whenModalOpens([](QWidget* picker) {
            tick(picker->findChild<QListWidget*>("lstEmp"), "Zhang", false);
            picker->findChild<QPushButton*>("btnCancel")->click();
        });
        w.findChild<QPushButton*>("btnEmpName")->click();
        QCOMPARE(salesmen->text(), QString("'Zhang','O'Neil'"));
    }

    void pickingWithNoStaffKeepsTheText() {
        addStaff("Lin", true);
        ScriptedMessageService::Scope messages;
        QCOMPARE(TDLGselectEmpSTR::pick(dm(), "'Li'"), QString("'Li'"));
        QCOMPARE(messages->texts_of(0), QStringList{"没有项目选择！"});
    }
};

QTEST_MAIN(TestOperatorEditor)
#include "tst_operatoreditor.moc"
