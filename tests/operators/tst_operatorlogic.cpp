#include <QSqlQuery>
#include <QTest>

#include "CurrentOperator.h"
#include "DLGselectEmpSTR.h"
#include "DataDm.h"
#include "Helpers.h"
#include "OperatorLogin.h"
#include "OperatorStore.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"
#include "TraineeScope.h"

Q_DECLARE_METATYPE(OperatorLogin::Check)

namespace {

qint64 addOperator(TdmData& dm, const QString& name, const QString& password, const QVariant& scope = 0,
                   const QString& salesmen = {}, bool audit = false) {
    if (!dm.RunSQL("insert into OperList(F_Name, F_PassWord, F_empFlag, F_empName, F_xtFlag) values(?, ?, ?, ?, ?)",
                   {name, SavePass(password), scope, salesmen, audit ? 1 : 0}))
        return 0;
    return dm.QueryInt("select F_ID from OperList where F_Name = ?", {name});
}

QStringList granted(TdmData& dm, const QString& name) {
    QStringList rows;
    QSqlQuery q;
    dm.OpenSQL(q, "select F_lmtName from OperLimit where F_OperName = ? order by F_ID", {name});
    while (q.next()) rows.append(q.value(0).toString());
    return rows;
}

}  // namespace

// Login checks and loading, the trainee scope condition, saving operators and
// the salesman list text - everything that works without a window.
class TestOperatorLogic : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    TdmData& dm() { return home->dm(); }

private Q_SLOTS:
    void init() {
        home = std::make_unique<TestHome>();
        QVERIFY(home->ok());
        setCurrentOperator({});
    }

    void loginChecks_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<OperatorLogin::Check>("expected");
        using C = OperatorLogin::Check;
        QTest::newRow("admin with blanks and mixed case") << "  Admin " << "" << C::Ok;
        QTest::newRow("blank name") << "   " << "" << C::EmptyName;
        QTest::newRow("unknown") << "nobody" << "" << C::UnknownOperator;
        QTest::newRow("wrong password for admin") << "admin" << "x" << C::WrongPassword;
        QTest::newRow("trailing blank typed") << "王 'five" << "pw " << C::Ok;
        QTest::newRow("trailing blank left out") << "王 'five" << "pw" << C::WrongPassword;
        QTest::newRow("name trimmed, password not") << " 王 'five " << " pw " << C::WrongPassword;
    }
    void loginChecks() {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(OperatorLogin::Check, expected);
        QVERIFY(addOperator(dm(), "王 'five", "pw "));
        ScriptedMessageService::Scope messages;
        QCOMPARE(OperatorLogin::check(dm(), name, password), expected);
        QVERIFY(messages->messages.isEmpty());
    }

    void loadReadsTheOperatorRowSettingsAndConfig() {
        QVERIFY(addOperator(dm(), "Li", "", 2, "'Zhang','O''Neil'", true));
        QVERIFY(dm().RunSQL("update KeyValue set F_Value = '3' where F_ID = 14"));
        QVERIFY(dm().RunSQL("insert into KeyValue(F_ID, F_Value) values(16, 'sixteenth')"));
        dm().config().writeBool("SYS", "BZDCODE", true);
        const OperatorValues v = OperatorLogin::load(dm(), "Li");
        QCOMPARE(v.name, QString("Li"));
        QCOMPARE(v.traineeScope, 2);
        QCOMPARE(v.salesmanList, QString("'Zhang','O''Neil'"));
        QVERIFY(v.canAuditPayments);
        QCOMPARE(v.customSettings.size(), 15);
        QCOMPARE(v.customSettings.first(), QString("字符项一"));
        QCOMPARE(v.customSettings.last(), QString("2"));
        QCOMPARE(v.moneyFormat, QString("￥,0.00#"));
        QVERIFY(v.autoNumbering);
    }

    void loadFallsBackForMissingValues() {
        ScriptedMessageService::Scope messages;
        QVERIFY(dm().RunSQL("insert into OperList(F_Name, F_empFlag, F_xtFlag) values('nullscope', NULL, NULL)"));
        QVERIFY(dm().RunSQL("delete from KeyValue where F_ID >= 12"));
        const OperatorValues v = OperatorLogin::load(dm(), "nullscope");
        QCOMPARE(v.traineeScope, 0);
        QVERIFY(!v.canAuditPayments);
        QCOMPARE(v.customSettings.size(), 15);
        QCOMPARE(v.customSettings[13], QString());
        QCOMPARE(v.moneyFormat, QString("￥,0.00"));  // the delivered two places
        QVERIFY(!v.autoNumbering);

        const OperatorValues missing = OperatorLogin::load(dm(), "gone");
        QCOMPARE(missing.traineeScope, 0);
        QCOMPARE(missing.salesmanList, QString());
        QVERIFY(!missing.canAuditPayments);
        QVERIFY(messages->messages.isEmpty());
    }

    void completeReplacesTheOperatorRemembersAndLogs() {
        OperatorValues before;
        before.name = "old";
        before.traineeScope = 2;
        before.salesmanList = "'x'";
        setCurrentOperator(before);
        QVERIFY(addOperator(dm(), "Zhang", "", 1));
        OperatorLogin::complete(dm(), "  Zhang ");
        QCOMPARE(currentOperator().name, QString("Zhang"));
        QCOMPARE(currentOperator().traineeScope, 1);
        QCOMPARE(currentOperator().salesmanList, QString());
        QCOMPARE(dm().config().readString("config", "curopername"), QString("Zhang"));
        QCOMPARE(dm().QueryText("select F_EmpName from LogRec where F_OperType = ?", {"登录成功！"}),
                 QString("Zhang"));
    }

    void salesmanListParsing_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("stored form") << "'Zhang','Li'" << QStringList{"Zhang", "Li"};
        QTest::newRow("one name") << "'Li'" << QStringList{"Li"};
        QTest::newRow("quote doubled") << "'O''Neil','Li'" << QStringList{"O'Neil", "Li"};
        QTest::newRow("quote as typed") << "'O'Neil','Li'" << QStringList{"O'Neil", "Li"};
        QTest::newRow("blanks and full-width comma") << " 'A' ， 'B' " << QStringList{"A", "B"};
        QTest::newRow("typed without quotes") << "A, B，C" << QStringList{"A", "B", "C"};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("only quotes") << "''" << QStringList{};
        QTest::newRow("empty entries dropped") << "'A','','B'" << QStringList{"A", "B"};
    }
    void salesmanListParsing() {
        QFETCH(QString, stored);
        QFETCH(QStringList, names);
        QCOMPARE(parseSalesmanList(stored), names);
    }

    // The condition runs for real against trainees of several salesmen.
    void traineeScopeSelectsTrainees_data() {
        QTest::addColumn<int>("scope");
        QTest::addColumn<QString>("salesmen");
        QTest::addColumn<QStringList>("trainees");
        const QStringList all{"t1", "t2", "t3", "t4", "t5"};
        QTest::newRow("all") << 0 << "'Zhang'" << all;
        QTest::newRow("unknown scope shows all") << 7 << "" << all;
        QTest::newRow("own trainees") << 1 << "'Zhang'" << QStringList{"t4"};
        QTest::newRow("listed salesmen") << 2 << "'Zhang','O''Neil'" << QStringList{"t1", "t3"};
        QTest::newRow("quote not doubled") << 2 << "'O'Neil'" << QStringList{"t3"};
        QTest::newRow("wildcards are plain text") << 2 << "'%'" << QStringList{"t5"};
        QTest::newRow("empty list shows none") << 2 << "" << QStringList{};
    }
    void traineeScopeSelectsTrainees() {
        QFETCH(int, scope);
        QFETCH(QString, salesmen);
        QFETCH(QStringList, trainees);
        const QList<QPair<QString, QString>> rows{
            {"t1", "zhang"}, {"t2", "Li"}, {"t3", "O'Neil"}, {"t4", "王 五"}, {"t5", "%"}};
        for (const auto& [trainee, salesman] : rows)
            QVERIFY(dm().RunSQL("insert into T_employee(F_name, F_empName) values(?, ?)", {trainee, salesman}));
        OperatorValues op;
        op.name = "王 五";
        op.traineeScope = scope;
        op.salesmanList = salesmen;
        QString sql = "select F_name from T_employee where (1=1) ";
        QVariantList params;
        traineeScopeCondition(op, "T_employee.F_empName").appendTo(sql, params);
        sql += "order by F_name";
        ScriptedMessageService::Scope messages;
        QSqlQuery q;
        QVERIFY(dm().OpenSQL(q, sql, params));
        QStringList found;
        while (q.next()) found.append(q.value(0).toString());
        QCOMPARE(found, trainees);
        QVERIFY(!sql.contains(u'\'') && !sql.contains("Neil"));
    }

    void savingNewOperators() {
        OperatorForm f;
        f.name = "  O'Brien ";
        f.password = f.confirmation = "secret ";
        f.memo = "夜班";
        f.canAuditPayments = true;
        f.traineeScope = 2;
        f.salesmanList = " 'A','B' ";
        f.permissions = {"新增", "it's"};
        QVERIFY(dm().RunSQL("insert into Limits(F_code, F_name, F_flag) values('601', ?, 1)", {"it's"}));
        QCOMPARE(OperatorStore::save(dm(), f, 0), OperatorStore::Problem::None);
        QSqlQuery q;
        QVERIFY(dm().OpenSQL(q, "select F_PassWord, F_Mem, F_xtFlag, F_empFlag, F_empName, F_Flag from OperList "
                                "where F_Name = ?", {"O'Brien"}));
        QVERIFY(q.next());
        QVERIFY(CheckPass(q.value(0).toString(), "secret "));
        QVERIFY(!q.value(0).toString().contains("secret"));
        QCOMPARE(q.value(1).toString(), QString("夜班"));
        QCOMPARE(q.value(2).toInt(), 1);
        QCOMPARE(q.value(3).toInt(), 2);
        QCOMPARE(q.value(4).toString(), QString("'A','B'"));
        QCOMPARE(q.value(5).toInt(), 0);
        q.finish();
        QCOMPARE(granted(dm(), "O'Brien"), QStringList({"新增", "it's"}));
        QCOMPARE(OperatorStore::grantedPermissions(dm(), " O'Brien "), QStringList({"新增", "it's"}));
        QVERIFY(OperatorStore::permissionNames(dm()).contains("it's"));
    }

    void savingIsRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<bool>("editLi");
        QTest::addColumn<OperatorStore::Problem>("problem");
        using P = OperatorStore::Problem;
        QTest::newRow("blank name") << "  " << "" << "" << false << P::EmptyName;
        QTest::newRow("confirmation differs") << "new" << "a" << "a " << false << P::ConfirmationMismatch;
        QTest::newRow("new with a taken name, other case") << "ADMIN" << "" << "" << false << P::DuplicateName;
        QTest::newRow("renamed to a taken name") << " admin" << "" << "" << true << P::DuplicateName;
    }
    void savingIsRefused() {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, confirmation);
        QFETCH(bool, editLi);
        QFETCH(OperatorStore::Problem, problem);
        const qint64 li = addOperator(dm(), "Li", "");
        const qint64 rows = dm().QueryInt("select count(*) from OperList");
        OperatorForm f;
        f.name = name;
        f.password = password;
        f.confirmation = confirmation;
        QCOMPARE(OperatorStore::save(dm(), f, editLi ? li : 0), problem);
        QCOMPARE(dm().QueryInt("select count(*) from OperList"), rows);
        QCOMPARE(dm().QueryText("select F_Name from OperList where F_ID = ?", {li}), QString("Li"));
    }

    void editingKeepsOrReplacesThePassword() {
        const qint64 id = addOperator(dm(), "Li", "old");
        OperatorForm f;
        f.name = "Li";
        f.memo = "changed";
        QCOMPARE(OperatorStore::save(dm(), f, id), OperatorStore::Problem::None);
        const auto stored = [&] { return dm().QueryText("select F_PassWord from OperList where F_ID = ?", {id}); };
        QVERIFY(CheckPass(stored(), "old"));
        QCOMPARE(dm().QueryText("select F_Mem from OperList where F_ID = ?", {id}), QString("changed"));
        f.password = f.confirmation = "new";
        QCOMPARE(OperatorStore::save(dm(), f, id), OperatorStore::Problem::None);
        QVERIFY(CheckPass(stored(), "new"));
        QVERIFY(!CheckPass(stored(), "old"));
    }

    void renamingWritesRowsUnderTheNewNameAndKeepsTheOld() {
        const qint64 id = addOperator(dm(), "Li", "");
        QVERIFY(dm().RunSQL("insert into OperLimit(F_OperName, F_lmtName) values('Li', '新增'), ('Li', '删除')"));
        OperatorForm f;
        f.name = "Li Ming";
        f.permissions = {"修改"};
        QCOMPARE(OperatorStore::save(dm(), f, id), OperatorStore::Problem::None);
        QCOMPARE(granted(dm(), "Li Ming"), QStringList({"修改"}));
        QCOMPARE(granted(dm(), "Li"), QStringList({"新增", "删除"}));
        // Saving under the same name replaces its rows.
        f.permissions = {"删除", "新增"};
        QCOMPARE(OperatorStore::save(dm(), f, id), OperatorStore::Problem::None);
        QCOMPARE(granted(dm(), "Li Ming"), QStringList({"删除", "新增"}));
    }

    void aFailingPermissionRowRollsBackTheWholeSave() {
        const qint64 id = addOperator(dm(), "Li", "keep");
        QVERIFY(dm().RunSQL("insert into OperLimit(F_OperName, F_lmtName) values('Li', '新增')"));
        QVERIFY(dm().RunSQL("create trigger refuse before insert on OperLimit when new.F_lmtName = '删除' "
                            "begin select raise(abort, 'refused'); end"));
        const qint64 operators = dm().QueryInt("select count(*) from OperList");
        OperatorForm f;
        f.name = "Li Ming";
        f.password = f.confirmation = "new";
        f.permissions = {"修改", "删除"};
        QCOMPARE(OperatorStore::save(dm(), f, id), OperatorStore::Problem::SaveFailed);
        QCOMPARE(dm().QueryText("select F_Name from OperList where F_ID = ?", {id}), QString("Li"));
        QVERIFY(CheckPass(dm().QueryText("select F_PassWord from OperList where F_ID = ?", {id}), "keep"));
        QCOMPARE(granted(dm(), "Li"), QStringList({"新增"}));
        QCOMPARE(granted(dm(), "Li Ming"), QStringList());

        f.name = "Wang";
        QCOMPARE(OperatorStore::save(dm(), f, 0), OperatorStore::Problem::SaveFailed);
        QCOMPARE(dm().QueryInt("select count(*) from OperList"), operators);
        QCOMPARE(granted(dm(), "Wang"), QStringList());
    }

    void pickerPreTicksBySubstring_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("given");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("listed") << "Li" << "'Zhang','Li'" << true;
        QTest::newRow("part of a listed name") << "Zha" << "'Zhang','Li'" << true;
        QTest::newRow("not listed") << "Wang" << "'Zhang','Li'" << false;
        QTest::newRow("full-width comma") << "张,李" << "张，李" << true;
        QTest::newRow("letter case counts") << "li" << "'Zhang','Li'" << false;
        QTest::newRow("empty given") << "Li" << "" << false;
    }
    void pickerPreTicksBySubstring() {
        QFETCH(QString, name);
        QFETCH(QString, given);
        QFETCH(bool, ticked);
        QCOMPARE(TDLGselectEmpSTR::preTicked(name, given), ticked);
    }

    void pickerListText() {
        QCOMPARE(TDLGselectEmpSTR::listText({"A", "B"}), QString("'A','B'"));
        QCOMPARE(TDLGselectEmpSTR::listText({"A"}), QString("'A'"));
        QCOMPARE(TDLGselectEmpSTR::listText({}), QString());
        QCOMPARE(parseSalesmanList(TDLGselectEmpSTR::listText({"O'Neil", "Li"})), QStringList({"O'Neil", "Li"}));
    }
};

QTEST_GUILESS_MAIN(TestOperatorLogic)
#include "tst_operatorlogic.moc"
