#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include "CurrentOperator.h"
#include "DataDm.h"
#include "FrmModPass.h"
#include "FrmOperLogin.h"
#include "Helpers.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"

namespace {

const QString kRetry = QStringLiteral("用户名或密码不正确，请重新输入！");

void loginAs(const QString& name) {
    OperatorValues v;
    v.name = name;
    setCurrentOperator(v);
}

}  // namespace

// The login and password change windows, driven through their controls.
class TestLoginWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    TdmData& dm() { return home->dm(); }

    void addOperator(const QString& name, const QString& password) {
        QVERIFY(dm().RunSQL("insert into OperList(F_Name, F_PassWord, F_empFlag) values(?, ?, 1)",
                            {name, SavePass(password)}));
    }

    static void typeAndConfirm(TfrmOperLogin& w, const QString& name, const QString& password) {
        w.findChild<QComboBox*>("cbbName")->setEditText(name);
        w.findChild<QLineEdit*>("edtPass")->setText(password);
        w.findChild<QPushButton*>("btnOK")->click();
    }

    QStringList log() {
        QStringList events;
        QSqlQuery q;
        dm().OpenSQL(q, "select F_OperType from LogRec order by F_ID");
        while (q.next()) events.append(q.value(0).toString());
        return events;
    }

private Q_SLOTS:
    void init() {
        home = std::make_unique<TestHome>();
        QVERIFY(home->ok());
        loginAs(QString());
    }

    void opensWithTheOperatorsAndTheLastName() {
        addOperator("Li", "");
        QVERIFY(dm().RunSQL("update OperList set F_Flag = 1 where F_Name = 'Li'"));
        dm().config().writeString("Config", "CurOperName", "Li");
        TfrmOperLogin w(dm(), TfrmOperLogin::FirstLogin);
        auto* names = w.findChild<QComboBox*>("cbbName");
        QCOMPARE(w.windowTitle(), QString("登录窗口"));
        QCOMPARE(names->count(), 3);
        QCOMPARE(names->itemText(0), QString());
        QCOMPARE(names->itemText(2), QString("Li"));  // disabled operators are offered too
        QCOMPARE(names->currentText(), QString("Li"));
    }

    void adminWithBlanksAndMixedCaseLogsIn() {
        ScriptedMessageService::Scope messages;
        TfrmOperLogin w(dm(), TfrmOperLogin::FirstLogin);
        QSignalSpy loggedIn(&w, &TfrmOperLogin::loggedIn);
        QSignalSpy terminated(&w, &TfrmOperLogin::terminateRequested);
        w.show();
        typeAndConfirm(w, "  Admin  ", "");
        QCOMPARE(loggedIn.count(), 1);
        QCOMPARE(terminated.count(), 0);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(!w.isVisible());
        QCOMPARE(currentOperator().name, QString("Admin"));
        QVERIFY(currentOperator().isAdmin());
        QCOMPARE(dm().config().readString("Config", "CurOperName"), QString("Admin"));
        QCOMPARE(log(), QStringList{"登录成功！"});
        QVERIFY(messages->messages.isEmpty());
    }

    void checksBeforeThePassword_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("no name") << "   " << "请选择用户！";
        QTest::newRow("unknown") << "nobody" << "此操作员并不存在，请重新选择操作员！";
    }
    void checksBeforeThePassword() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        ScriptedMessageService::Scope messages;
        TfrmOperLogin w(dm(), TfrmOperLogin::FirstLogin);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        typeAndConfirm(w, name, "");
        QCOMPARE(messages->texts_of(0), QStringList{message});
        QVERIFY(w.isVisible());
        QCOMPARE(QApplication::focusWidget(), w.findChild<QComboBox*>("cbbName"));
    }

    void aPasswordIsComparedWithItsBlanks() {
        addOperator("Li", "pw ");
        ScriptedMessageService::Scope messages;
        TfrmOperLogin w(dm(), TfrmOperLogin::FirstLogin);
        w.show();
        typeAndConfirm(w, "Li", "pw");
        QCOMPARE(messages->texts_of(0), QStringList{kRetry});
        QVERIFY(w.isVisible());
        typeAndConfirm(w, "Li", "pw ");
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(currentOperator().name, QString("Li"));
        QCOMPARE(currentOperator().traineeScope, 1);
    }

    void theFourthWrongPasswordEndsTheAttempt_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("logged");
        QTest::addColumn<int>("terminations");
        QTest::newRow("first login ends the program")
            << int(TfrmOperLogin::FirstLogin) << "非法操作员!" << "登录失败！" << 1;
        QTest::newRow("re-login keeps the operator")
            << int(TfrmOperLogin::ReLogin) << "更换操作员失败!" << "更换操作员失败！" << 0;
    }
    void theFourthWrongPasswordEndsTheAttempt() {
        QFETCH(int, mode);
        QFETCH(QString, message);
        QFETCH(QString, logged);
        QFETCH(int, terminations);
        addOperator("Li", "right");
        loginAs(mode == TfrmOperLogin::ReLogin ? "Wang" : "");
        ScriptedMessageService::Scope messages;
        TfrmOperLogin w(dm(), TfrmOperLogin::Mode(mode));
        QSignalSpy terminated(&w, &TfrmOperLogin::terminateRequested);
        w.show();
        for (int i = 0; i < 3; ++i) typeAndConfirm(w, "Li", "wrong");
        // Unknown names are not attempts.
        for (int i = 0; i < 3; ++i) typeAndConfirm(w, "nobody", "wrong");
        QVERIFY(w.isVisible());
        QCOMPARE(messages->texts_of(0).count(kRetry), 3);
        QCOMPARE(terminated.count(), 0);
        QVERIFY(messages->texts_of(3).isEmpty());

        typeAndConfirm(w, "Li", "wrong");
        QCOMPARE(messages->texts_of(3), QStringList{message});
        QCOMPARE(messages->texts_of(0).count(kRetry), 3);
        QCOMPARE(terminated.count(), terminations);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QCOMPARE(log(), QStringList{logged});
        QCOMPARE(currentOperator().name, QString(mode == TfrmOperLogin::ReLogin ? "Wang" : ""));
    }

    void aReLoginReplacesTheOperatorAsAWhole() {
        addOperator("Li", "");
        OperatorValues before;
        before.name = "admin";
        before.traineeScope = 2;
        before.salesmanList = "'x'";
        before.canAuditPayments = true;
        setCurrentOperator(before);
        TfrmOperLogin w(dm(), TfrmOperLogin::ReLogin);
        w.show();
        typeAndConfirm(w, "Li", "");
        QCOMPARE(currentOperator().name, QString("Li"));
        QCOMPARE(currentOperator().traineeScope, 1);
        QCOMPARE(currentOperator().salesmanList, QString());
        QVERIFY(!currentOperator().canAuditPayments);
    }

    void cancelling_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("terminations");
        QTest::newRow("first login") << int(TfrmOperLogin::FirstLogin) << 1;
        QTest::newRow("re-login") << int(TfrmOperLogin::ReLogin) << 0;
    }
    void cancelling() {
        QFETCH(int, mode);
        QFETCH(int, terminations);
        loginAs("Wang");
        TfrmOperLogin w(dm(), TfrmOperLogin::Mode(mode));
        QSignalSpy terminated(&w, &TfrmOperLogin::terminateRequested);
        w.show();
        w.findChild<QPushButton*>("btnCancel")->click();
        QVERIFY(!w.isVisible());
        QCOMPARE(terminated.count(), terminations);
        QCOMPARE(currentOperator().name, QString("Wang"));
        QVERIFY(log().isEmpty());
    }

    void theWindowSystemCannotCloseIt() {
        TfrmOperLogin w(dm(), TfrmOperLogin::FirstLogin);
        QSignalSpy terminated(&w, &TfrmOperLogin::terminateRequested);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(&w, Qt::Key_F4, Qt::AltModifier);
        w.windowHandle()->close();
        QVERIFY(w.isVisible());
        QCOMPARE(terminated.count(), 0);
    }

    void enterMovesOnAndConfirms() {
        ScriptedMessageService::Scope messages;
        TfrmOperLogin w(dm(), TfrmOperLogin::FirstLogin);
        QSignalSpy loggedIn(&w, &TfrmOperLogin::loggedIn);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* names = w.findChild<QComboBox*>("cbbName");
        names->setFocus();
        names->setEditText("admin");
        QTest::keyClick(names, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.findChild<QLineEdit*>("edtPass"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.findChild<QPushButton*>("btnOK"));
        QCOMPARE(loggedIn.count(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(loggedIn.count(), 1);
    }

    void changingThePassword_data() {
        QTest::addColumn<QString>("oldPass");
        QTest::addColumn<QString>("newPass");
        QTest::addColumn<QString>("again");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("validAfter");
        QTest::newRow("old password wrong") << "old" << "new" << "new" << 2 << "旧口令输入错误，不能更改！" << "old ";
        QTest::newRow("repeat differs") << "old " << "new" << "neu" << 0 << "新口令错误，不能更改！" << "old ";
        QTest::newRow("changed") << "old " << "new" << "new" << 0 << "更改口令成功！" << "new";
        QTest::newRow("repeat compared trimmed, stored untrimmed")
            << "old " << "new " << "new" << 0 << "更改口令成功！" << "new ";
    }
    void changingThePassword() {
        QFETCH(QString, oldPass);
        QFETCH(QString, newPass);
        QFETCH(QString, again);
        QFETCH(int, kind);
        QFETCH(QString, message);
        QFETCH(QString, validAfter);
        addOperator("O'Neil", "old ");
        loginAs("O'Neil");
        ScriptedMessageService::Scope messages;
        TfrmModPass w(dm());
        QCOMPARE(w.findChild<QLabel*>("lblOperName")->text(), QString("当前操作员：O'Neil "));
        w.show();
        w.findChild<QLineEdit*>("edtOldPass")->setText(oldPass);
        auto* newBox = w.findChild<QLineEdit*>("edtNewPass");
        auto* againBox = w.findChild<QLineEdit*>("edtNewPass1");
        newBox->setText(newPass);
        againBox->setText(again);
        w.findChild<QPushButton*>("btnOK")->click();
        QCOMPARE(messages->texts_of(kind), QStringList{message});
        QCOMPARE(messages->messages.size(), 1);
        QVERIFY(!w.isVisible());
        if (message == "新口令错误，不能更改！") QVERIFY(newBox->text().isEmpty() && againBox->text().isEmpty());
        const QString stored = dm().QueryText("select F_PassWord from OperList where F_Name = ?", {"O'Neil"});
        QVERIFY(CheckPass(stored, validAfter));
    }
};

QTEST_MAIN(TestLoginWindows)
#include "tst_loginwindows.moc"
