#include <QSqlDriver>
#include <QSqlQuery>
#include <QTest>

#include "CurrentOperator.h"
#include "DataDm.h"
#include "ScriptedMessageService.h"
#include "TableColumns.h"
#include "TestHome.h"
#include "Transaction.h"

namespace {
const QString kFailed = QStringLiteral("操作失败，请检查数据连接... ");

void loginAs(const QString& name) {
    OperatorValues v;
    v.name = name;
    setCurrentOperator(v);
}
}  // namespace

class TestDataModule : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    TdmData& dm() { return home->dm(); }

private Q_SLOTS:
    void init() {
        home = std::make_unique<TestHome>();
        QVERIFY(home->ok());
        loginAs(QString());
    }

    void queryIntAndText() {
        ScriptedMessageService::Scope messages;
        QCOMPARE(dm().QueryInt("select F_ID from OperList where F_Name = ?", {"nobody"}), 0);
        QCOMPARE(dm().QueryText("select F_Name from OperList where F_Name = ?", {"nobody"}), QString());
        QVERIFY(messages->messages.isEmpty());
        // Names match without regard to case, as operators type them.
        QVERIFY(dm().QueryInt("select F_ID from OperList where F_Name = ?", {"ADMIN"}) > 0);
        QCOMPARE(dm().QueryText("select F_Name from OperList where F_Name = ?", {"Admin"}), QString("admin"));
        QCOMPARE(dm().QueryInt("select count(*) from t_Employee"), 0);

        QCOMPARE(dm().QueryInt("selec F_ID frm OperList"), 0);
        QCOMPARE(dm().QueryText("select nothing from nowhere"), QString());
        QCOMPARE(messages->texts_of(3), QStringList({kFailed, kFailed}));
    }

    void valuesWithQuotesAndWildcardsReachSqlIntact() {
        ScriptedMessageService::Scope messages;
        const QStringList names = {"O'Neil", "100% 王", "a_b", "x'; drop table T_employee; --"};
        for (const QString& name : names)
            QVERIFY(dm().RunSQL("insert into T_employee (F_mainID, F_name) values (?, ?)", {1, name}));
        for (const QString& name : names)
            QCOMPARE(dm().QueryText("select F_name from T_employee where F_name = ?", {name}), name);
        QCOMPARE(dm().QueryInt("select count(*) from T_employee"), 4);
        QVERIFY(messages->messages.isEmpty());
    }

    void runDeleteAndOpenReportFailures() {
        ScriptedMessageService::Scope messages;
        QVERIFY(dm().RunSQL("insert into t_code (F_type, F_name) values (?, ?)", {"dept", "招生部"}));
        const qint64 id = dm().QueryInt("select max(F_ID) from t_code");
        QVERIFY(dm().DeleteRecord("t_code", id));
        QCOMPARE(dm().QueryInt("select count(*) from t_code where F_ID = ?", {id}), 0);

        QVERIFY(!dm().RunSQL("update nowhere set x = 1"));
        QVERIFY(!dm().DeleteRecord("t_code; delete from OperList", 1));
        QSqlQuery q;
        QVERIFY(!dm().OpenSQL(q, "select * from nowhere"));
        QCOMPARE(messages->texts_of(3),
                 QStringList({kFailed, "删除操作失败，请检查数据连接... ", "打开操作失败，请检查数据连接... "}));
        QVERIFY(dm().QueryInt("select count(*) from OperList") > 0);

        QVERIFY(dm().OpenSQL(q, "select F_name from OperList where F_name like ?", {"ad%"}));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QString("admin"));
    }

    void fillItemsSkipsBlankRows() {
        ScriptedMessageService::Scope messages;
        for (const QString& name : {QString("A"), QString(""), QString("  "), QString(" B")})
            QVERIFY(dm().RunSQL("insert into t_code (F_type, F_name) values ('fill', ?)", {name}));
        QCOMPARE(dm().FillItems("select F_name from t_code where F_type = ? order by F_ID", {"FILL"}),
                 QStringList({"", "A", " B"}));
        QCOMPARE(dm().FillItems("select F_name from missing"), QStringList({""}));
        QCOMPARE(messages->texts_of(3), QStringList({kFailed}));
    }

    void writeLogStampsOperatorDateAndTime() {
        loginAs("王老师");
        dm().WriteLog("登录成功！");
        QSqlQuery q;
        QVERIFY(dm().OpenSQL(q, "select F_EmpName, F_OperType, F_OperDate, F_OperTime from LogRec"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QString("王老师"));
        QCOMPARE(q.value(1).toString(), QString("登录成功！"));
        QCOMPARE(q.value(2).toString(), QDate::currentDate().toString("yyyy-MM-dd"));
        QVERIFY(QTime::fromString(q.value(3).toString(), "hh:mm:ss").isValid());
    }

    void hasLimit() {
        ScriptedMessageService::Scope messages;
        loginAs("  Admin ");
        QVERIFY(dm().HasLimit("103"));  // the built-in administrator holds every code
        loginAs("O'Brien");
        QVERIFY(!dm().HasLimit("103"));
        const QString limitName = dm().QueryText("select F_name from Limits where F_code = ?", {"103"});
        QVERIFY(!limitName.isEmpty());
        QVERIFY(dm().RunSQL("insert into OperLimit (F_OperName, F_lmtName) values (?, ?)", {"O'Brien", limitName}));
        QVERIFY(dm().HasLimit("103"));
        QVERIFY(!dm().HasLimit("104"));
        QVERIFY(messages->messages.isEmpty());
    }

    void nextMonthCode_data() {
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first of the month") << QStringList() << "Y201212001";
        QTest::newRow("next") << QStringList({"Y201212001"}) << "Y201212002";
        QTest::newRow("greatest as text") << QStringList({"Y201212009", "Y201212010", "Y201211999"}) << "Y201212011";
        QTest::newRow("wraps after 999") << QStringList({"Y201212999"}) << "Y201212000";
    }
    void nextMonthCode() {
        QFETCH(QStringList, codes);
        QFETCH(QString, expected);
        for (const QString& code : codes)
            QVERIFY(dm().RunSQL("insert into T_employee (F_code) values (?)", {code}));
        const QString sql = "select max(F_code) from T_employee  where F_code like ?";
        QCOMPARE(dm().NextMonthCode(sql, {"Y201212%"}, "Y", 3, QDate(2012, 12, 5)), expected);
    }

    void numberingRaisesOnABrokenTail() {
        QVERIFY(dm().RunSQL("insert into T_employee (F_code) values (?)", {"Y2012120AB"}));
        QVERIFY_THROWS_EXCEPTION(NumberingError, dm().NextMonthCode("select max(F_code) from T_employee where F_code like ?",
                                                                    {"Y201212%"}, "Y", 3, QDate(2012, 12, 5)));
        QVERIFY_THROWS_EXCEPTION(NumberingError, dm().NextCode("select max(F_code) from T_employee", {}, 3));
    }

    void nextCode() {
        const QString sql = "select max(F_code) from EmpList ";
        QCOMPARE(dm().NextCode(sql, {}, 3), QString("001"));
        QVERIFY(dm().RunSQL("insert into EmpList (F_code) values ('007')"));
        QCOMPARE(dm().NextCode(sql, {}, 3), QString("008"));
        QVERIFY(dm().RunSQL("insert into EmpList (F_code) values ('A099')"));
        QCOMPARE(dm().NextCode(sql, {}, 3), QString("A100"));
    }

    void numberFormat_data() {
        QTest::addColumn<int>("places");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1/2") << 2 << 1 << "0.##";
        QTest::newRow("1/0") << 0 << 1 << "0.";
        QTest::newRow("2/2") << 2 << 2 << "￥,0.00";
        QTest::newRow("2/3") << 3 << 2 << "￥,0.00#";
        QTest::newRow("2/4") << 4 << 2 << "￥,0.00##";
        QTest::newRow("2/1") << 1 << 2 << "￥,0.0";
        QTest::newRow("3/2") << 2 << 3 << "￥,0.00";
        QTest::newRow("other") << 2 << 7 << "";
    }
    void numberFormat() {
        QFETCH(int, places);
        QFETCH(int, kind);
        QFETCH(QString, expected);
        QCOMPARE(TdmData::NumberFormat(places, kind), expected);
    }

    void dateRangeText() {
        QCOMPARE(TdmData::DateRangeText(std::nullopt, std::nullopt), QString("统计日期：自 启用系统 至 记帐最后一天"));
        QCOMPARE(TdmData::DateRangeText(QDate(2012, 3, 4), std::nullopt),
                 QString("统计日期：自 2012年03月04日 至 记帐最后一天"));
        QCOMPARE(TdmData::DateRangeText(std::nullopt, QDate(2013, 12, 31)),
                 QString("统计日期：自 启用系统 至 2013年12月31日"));
    }

    void selectItemByText() {
        const QStringList entries = {"", "C1", " c1 ", "B2"};
        QCOMPARE(TdmData::SelectItemByText("C1", entries, 0), 2);  // the last match wins
        QCOMPARE(TdmData::SelectItemByText(" b2", entries, 0), 3);
        QCOMPARE(TdmData::SelectItemByText("A1", entries, 1), 1);  // no match leaves it unchanged
    }

    void reopensAfterClose() {
        dm().close();
        QVERIFY(!dm().database().driver()->handle().isNull());
        QVERIFY(dm().QueryInt("select count(*) from OperList") > 0);
    }

    void transactionRollsBackUnlessCommitted() {
        {
            Transaction tx(dm().database());
            QVERIFY(tx.active());
            QVERIFY(dm().RunSQL("insert into t_code (F_type, F_name) values ('t', 'kept?')"));
        }
        QCOMPARE(dm().QueryInt("select count(*) from t_code where F_type = 't'"), 0);
        {
            Transaction tx(dm().database());
            QVERIFY(dm().RunSQL("insert into t_code (F_type, F_name) values ('t', 'kept')"));
            QVERIFY(tx.commit());
        }
        QCOMPARE(dm().QueryInt("select count(*) from t_code where F_type = 't'"), 1);
    }

    void listsLeaveOutPictureBlobs() {
        const QStringList trainee = TableColumns::listColumns(dm().database(), "t_Employee");
        QVERIFY(trainee.contains("F_name"));
        QVERIFY(trainee.contains("F_ImagePath"));
        QVERIFY(!trainee.contains("F_empImage"));
        const QString cars = TableColumns::selectList(dm().database(), "CarList", "c");
        QVERIFY(cars.startsWith("c.F_ID, c.F_code"));
        for (const char* blob : {"F_CarImage1", "F_CarImage2", "F_CarImage3"}) QVERIFY(!cars.contains(blob));
        QSqlQuery q;
        QVERIFY(dm().OpenSQL(q, "select " + cars + " from CarList c"));
    }

    void fullDatabaseReportsAndKeepsData() {
        ScriptedMessageService::Scope messages;
        QSqlQuery(dm().database()).exec("PRAGMA max_page_count = " +
                                        QString::number(dm().QueryInt("PRAGMA page_count")));
        const qint64 before = dm().QueryInt("select count(*) from T_employee");
        {
            Transaction tx(dm().database());
            bool ok = true;
            for (int i = 0; i < 2000 && ok; ++i)
                ok = dm().RunSQL("insert into T_employee (F_name, F_memo1) values (?, ?)", {"满", QString(500, u'x')});
            QVERIFY(!ok);
        }
        QCOMPARE(messages->texts_of(3), QStringList({kFailed}));
        QCOMPARE(dm().QueryInt("select count(*) from T_employee"), before);
        QCOMPARE(dm().QueryText("PRAGMA integrity_check"), QString("ok"));
    }
};

QTEST_GUILESS_MAIN(TestDataModule)
#include "tst_datamodule.moc"
