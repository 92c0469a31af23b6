#include <QSqlQuery>
#include <QTest>

#include "CurrentOperator.h"
#include "ScriptedMessageService.h"
#include "TableColumns.h"
#include "TestHome.h"
#include "TraineeQuery.h"
#include "TraineeScope.h"

namespace {

struct Trainee {
    const char* code;
    const char* name;
    QVariant finished;   // F_useFlag
    QVariant payState;   // F_SKflag
    const char* carType;
    const char* salesman;
    QVariant memo;
};

// A small school: names, finished marks and payment states chosen so each filter changes the answer.
const Trainee kTrainees[] = {
    {"Y201212001", "王小明", 0, 0, "C1", "张三", QVariant()},
    {"Y201212002", "王芳", 1, 0, "C1", "张三", "周末班"},
    {"Y201212003", "李王五", 0, 1, "B2", "李四", ""},
    {"Y201212004", "赵六", QVariant(), 0, "C1", "李四", "王"},
    {"Y201212005", "O'Neil", 0, 2, "C2", "O'Brien", QVariant()},
    {"Y201212006", "100% 王", 0, 7, "C1", "张三", "50%_off"},
    {"Y201212000", "王小二", 0, QVariant(), "C2", "张三", QVariant()},
};

}  // namespace

class TestTraineeQuery : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;

    QStringList codes(const TraineeFilter& f, const OperatorValues& op = {}) {
        const SqlStatement s = TraineeQuery::build(TableColumns::selectList(home->dm().database(), "T_employee"), f,
                                                   traineeScopeCondition(op));
        QSqlQuery q;
        if (!home->dm().OpenSQL(q, s.sql, s.params)) return {"<failed>"};
        QStringList out;
        while (q.next()) out.append(q.value("F_code").toString().right(3));
        return out;
    }

private Q_SLOTS:
    void initTestCase() {
        home = std::make_unique<TestHome>();
        QVERIFY(home->ok());
        int id = 0;
        for (const Trainee& t : kTrainees)
            QVERIFY(home->dm().RunSQL("insert into T_employee (F_mainID, F_code, F_name, F_useFlag, F_SKflag, "
                                      "F_BKcarType, F_empName, F_memo1) values (?,?,?,?,?,?,?,?)",
                                      {++id, t.code, t.name, t.finished, t.payState, t.carType, t.salesman, t.memo}));
    }

    void filters_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("finished");
        QTest::addColumn<int>("payState");
        QTest::addColumn<int>("navType");
        QTest::addColumn<QString>("navValue");
        QTest::addColumn<QStringList>("expected");
        using L = QStringList;
        QTest::newRow("default: unfinished, NULL finished hidden") << -1 << "" << false << 0 << 0 << "" << L{"000", "001", "003", "005", "006"};
        QTest::newRow("include finished") << -1 << "" << true << 0 << 0 << "" << L{"000", "001", "002", "003", "004", "005", "006"};
        QTest::newRow("example: name 王, unpaid") << 0 << "王" << false << 1 << 0 << "" << L{"001"};
        QTest::newRow("name anywhere") << 0 << " 王 " << false << 0 << 0 << "" << L{"000", "001", "003", "006"};
        QTest::newRow("typing 王小") << 0 << "王小" << false << 0 << 0 << "" << L{"000", "001"};
        QTest::newRow("paid") << -1 << "" << true << 2 << 0 << "" << L{"003"};
        QTest::newRow("other is exactly 2") << -1 << "" << true << 3 << 0 << "" << L{"005"};
        QTest::newRow("navigation class") << -1 << "" << false << 0 << 0 << "C2" << L{"000", "005"};
        QTest::newRow("navigation salesman") << -1 << "" << true << 0 << 3 << "李四" << L{"003", "004"};
        QTest::newRow("navigation with no type") << -1 << "" << false << 0 << -1 << "C2" << L{"000", "001", "003", "005", "006"};
        QTest::newRow("empty text hides NULL memo") << 5 << "" << true << 0 << 0 << "" << L{"002", "003", "004", "006"};
        QTest::newRow("quote found as typed") << 0 << "O'N" << false << 0 << 0 << "" << L{"005"};
        QTest::newRow("percent is literal") << 5 << "%_" << true << 0 << 0 << "" << L{"006"};
        QTest::newRow("percent in name") << 0 << "100%" << false << 0 << 0 << "" << L{"006"};
        QTest::newRow("combined") << 0 << "王" << true << 1 << 0 << "C1" << L{"001", "002"};
    }
    void filters() {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(bool, finished);
        QFETCH(int, payState);
        QFETCH(int, navType);
        QFETCH(QString, navValue);
        QFETCH(QStringList, expected);
        TraineeFilter f;
        f.searchField = field;
        f.searchText = text;
        f.includeFinished = finished;
        f.paymentState = payState;
        f.navigationType = navType;
        if (!navValue.isEmpty()) f.navigationValue = navValue;
        ScriptedMessageService::Scope messages;
        QCOMPARE(codes(f), expected);
        QVERIFY(messages->messages.isEmpty());
    }

    void scopes() {
        TraineeFilter all;
        all.includeFinished = true;
        OperatorValues op;
        op.name = "张三";
        op.traineeScope = 1;
        QCOMPARE(codes(all, op), QStringList({"000", "001", "002", "006"}));
        op.traineeScope = 2;
        op.salesmanList = "'李四','O''Brien'";
        QCOMPARE(codes(all, op), QStringList({"003", "004", "005"}));
        op.salesmanList.clear();  // an empty list shows nobody rather than failing
        ScriptedMessageService::Scope messages;
        QCOMPARE(codes(all, op), QStringList());
        QVERIFY(messages->messages.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTraineeQuery)
#include "tst_traineequery.moc"
