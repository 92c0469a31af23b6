#include <QAbstractItemModelTester>
#include <QBrush>
#include <QSqlQuery>
#include <QTest>

#include "ResultModel.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"

// Rows are read from a scratch table of a delivered database, so the values arrive
// with the types the SQLite driver gives them.
class TestResultModel : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;

    void exec(const QString& sql, const QVariantList& params = {}) {
        QVERIFY2(home->dm().RunSQL(sql, params), qPrintable(sql));
    }
    void loadInto(ResultModel& model, const QString& sql) {
        QSqlQuery q;
        QVERIFY(home->dm().OpenSQL(q, sql));
        model.load(q);
    }
    static QStringList column(const ResultModel& model, const QString& field) {
        QStringList values;
        for (int r = 0; r < model.rowCount(); ++r) values.append(model.value(r, field).toString());
        return values;
    }

private Q_SLOTS:
    void init() {
        home = std::make_unique<TestHome>();
        QVERIFY(home->ok());
        exec("create table tst (F_key INTEGER, F_text TEXT COLLATE NOCASE, F_date TEXT, F_num REAL, "
             "F_flag INTEGER, F_SKflag INTEGER, F_any)");
    }

    void valuesComeBackAsStored() {
        exec("insert into tst values (1, 'O''Neil 王', '2024-03-05', 12.5, 1, 0, x'00ff10')");
        exec("insert into tst values (2, NULL, NULL, NULL, NULL, NULL, 'mixed')");
        exec("insert into tst values (3, '', '1900-08-14', -0.25, 0, 7, 42)");
        ResultModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        loadInto(model, "select * from tst order by F_key");
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.fieldCount(), 7);
        QCOMPARE(model.fieldIndex("f_TEXT"), 1);
        QCOMPARE(model.fieldIndex("F_missing"), -1);

        QCOMPARE(model.value(0, "F_text"), QVariant(QString("O'Neil 王")));
        QCOMPARE(model.value(0, "F_num").toDouble(), 12.5);
        QCOMPARE(model.value(0, "F_any").toByteArray(), QByteArray("\x00\xff\x10", 3));
        QCOMPARE(model.value(2, "F_any").toLongLong(), 42);
        QCOMPARE(model.value(1, "F_any").toString(), QString("mixed"));
        QVERIFY(model.value(1, "F_text").isNull());
        QVERIFY(model.value(1, "F_num").isNull());
        QCOMPARE(model.value(2, "F_text"), QVariant(QString("")));
        QVERIFY(!model.value(2, "F_text").isNull());
        QVERIFY(!model.value(5, "F_text").isValid());
    }

    // SQLite queries are read straight from their statement; any other query
    // (here one already on its first row) through QSqlQuery. Both must agree.
    void bothReadingPathsAgree() {
        exec("insert into tst values (1, 'O''Neil 王', '2024-03-05', 12.5, 1, 0, x'00ff10')");
        exec("insert into tst values (2, NULL, NULL, NULL, NULL, NULL, 'mixed')");
        exec("insert into tst values (3, '', '1900-08-14', -0.25, 0, 7, 42.5)");
        ResultModel direct, stepped;
        loadInto(direct, "select * from tst order by F_key");
        QSqlQuery q;
        QVERIFY(home->dm().OpenSQL(q, "select * from tst order by F_key"));
        QVERIFY(q.next());
        stepped.load(q);
        QCOMPARE(stepped.rowCount(), 3);
        for (int r = 0; r < 3; ++r)
            for (int f = 0; f < direct.fieldCount(); ++f) {
                const QVariant a = direct.value(r, f), b = stepped.value(r, f);
                QVERIFY2(a == b && a.typeId() == b.typeId() && a.isNull() == b.isNull(),
                         qPrintable(QString("row %1 field %2").arg(r).arg(f)));
            }
    }

    // Fields with many distinct values stop interning after the first rows;
    // both ways must give every row its own value back.
    void interningKeepsEveryValue() {
        QSqlDatabase db = home->dm().database();
        db.transaction();
        QSqlQuery ins(db);
        ins.prepare("insert into tst (F_key, F_text, F_date, F_num) values (?, ?, ?, ?)");
        for (int i = 0; i < 3000; ++i) {
            ins.addBindValue(i);
            ins.addBindValue(QString("name %1").arg(i));
            ins.addBindValue(i % 3 == 0 ? QVariant() : QVariant(QString("2020-01-0%1").arg(i % 9 + 1)));
            ins.addBindValue(i % 2 ? QVariant(i * 0.5) : QVariant(i));
            QVERIFY(ins.exec());
        }
        db.commit();
        ResultModel model;
        loadInto(model, "select F_key, F_text, F_date, F_num from tst order by F_key");
        QCOMPARE(model.rowCount(), 3000);
        for (int i : {0, 1, 511, 512, 513, 2999}) {
            QCOMPARE(model.value(i, "F_key").toInt(), i);
            QCOMPARE(model.value(i, "F_text").toString(), QString("name %1").arg(i));
            QCOMPARE(model.value(i, "F_date").isNull(), i % 3 == 0);
            if (i % 3) QCOMPARE(model.value(i, "F_date").toString(), QString("2020-01-0%1").arg(i % 9 + 1));
            QCOMPARE(model.value(i, "F_num").toDouble(), i % 2 ? i * 0.5 : double(i));
        }
        // A plain QVariant per cell would take well over 100 bytes a cell.
        QVERIFY2(model.memoryBytes() / 3000 < 4 * 60, qPrintable(QString::number(model.memoryBytes() / 3000)));
    }

    void sorting_data() {
        QTest::addColumn<QString>("sortText");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("expected");
        // Texts in the database's order: NULL first, letters without regard to case, then other characters.
        QTest::newRow("text asc") << "F_text ASC" << "F_key" << QStringList{"4", "2", "1", "5", "3", "6"};
        QTest::newRow("text desc") << "F_text DESC" << "F_key" << QStringList{"6", "3", "1", "5", "2", "4"};
        QTest::newRow("numbers")
            << "F_num asc" << "F_key" << QStringList{"6", "3", "1", "5", "2", "4"};
        QTest::newRow("dates, then key desc among equals")
            << "F_date ASC, F_key DESC" << "F_key" << QStringList{"4", "6", "2", "5", "3", "1"};
        QTest::newRow("equal keys keep the loaded order (stable)")
            << "F_flag DESC" << "F_key" << QStringList{"1", "3", "5", "2", "4", "6"};
        QTest::newRow("empty restores the loaded order") << "" << "F_key" << QStringList{"1", "2", "3", "4", "5", "6"};
        QTest::newRow("trailing comma as the sort dialog writes it")
            << "f_flag ASC,f_key DESC," << "F_key" << QStringList{"6", "4", "2", "5", "3", "1"};
    }

    void sorting() {
        QFETCH(QString, sortText);
        QFETCH(QString, field);
        QFETCH(QStringList, expected);
        exec("insert into tst (F_key, F_text, F_date, F_num, F_flag) values "
             "(1, 'beta', '2024-01-02', 10, 1), (2, 'Alpha', '2023-12-31', 100.5, 0), "
             "(3, 'zeta', '2024-01-02', 2, 1), (4, NULL, '', 1000, 0), (5, 'BETA', '2024-01-02', 10.0, 1), "
             "(6, '王', '1900-08-14', -1, 0)");
        ResultModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        loadInto(model, "select * from tst order by F_key");
        QVERIFY(model.sortBy(SortText::parse("F_num DESC")));  // another order first: sorting starts from the loaded one
        QVERIFY(model.sortBy(SortText::parse(sortText)));
        QCOMPARE(column(model, field), expected);
        QCOMPARE(model.loadedRow(0), expected[0].toInt() - 1);
        QCOMPARE(model.rowOfLoaded(expected[0].toInt() - 1), 0);
    }

    void unknownSortFieldLeavesOrder() {
        exec("insert into tst (F_key, F_text) values (1, 'b'), (2, 'a')");
        ResultModel model;
        loadInto(model, "select * from tst order by F_key");
        QVERIFY(model.sortBy(SortText::parse("F_text")));
        QVERIFY(!model.sortBy(SortText::parse("F_nothing DESC")));
        QCOMPARE(column(model, "F_key"), QStringList({"2", "1"}));
        bool ok = true;
        QVERIFY(SortText::parse("F_text UP", &ok).isEmpty());
        QVERIFY(!ok);
    }

    void secondLoadReplacesRows() {
        exec("insert into tst (F_key, F_text) values (1, 'a'), (2, 'b'), (3, 'c')");
        ResultModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setColumns({GridColumn::forField("F_text", "T")});
        loadInto(model, "select * from tst order by F_key");
        QVERIFY(model.sortBy(SortText::parse("F_key DESC")));
        loadInto(model, "select F_text, F_key from tst where F_key < 3 order by F_key");
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.fieldIndex("F_key"), 1);
        QCOMPARE(column(model, "F_text"), QStringList({"a", "b"}));
        QCOMPARE(model.data(model.index(1, 0)).toString(), QString("b"));
        model.clear();
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.columnCount(), 1);
    }

    void displayRules_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("date") << "F_date" << "" << QVariant("2024-03-05") << "2024-03-05";
        QTest::newRow("no-date") << "F_date" << "" << QVariant("1900-08-14") << "";
        QTest::newRow("date before 1901-08-14") << "F_date" << "" << QVariant("1901-08-13") << "";
        QTest::newRow("stamp keeps its time") << "F_date" << "" << QVariant("2024-03-05 08:30:00")
                                              << "2024-03-05 08:30:00";
        QTest::newRow("text that only starts with digits") << "F_text" << "" << QVariant("0571-8888") << "0571-8888";
        QTest::newRow("payment state 0") << "F_SKflag" << "" << QVariant(0) << "未付清";
        QTest::newRow("payment state 1") << "F_SKflag" << "" << QVariant(1) << "已付清";
        QTest::newRow("payment state NULL") << "F_SKflag" << "" << QVariant() << "其  他";
        QTest::newRow("money format") << "F_num" << "￥,0.00" << QVariant(12345.5) << "￥12,345.50";
        QTest::newRow("plain number") << "F_num" << "" << QVariant(2.5) << "2.5";
        QTest::newRow("flag shows a tick, no text") << "F_flag" << "" << QVariant(1) << "";
    }

    void displayRules() {
        QFETCH(QString, field);
        QFETCH(QString, format);
        QFETCH(QVariant, stored);
        QFETCH(QString, shown);
        exec(QString("insert into tst (%1) values (?)").arg(field), {stored});
        ResultModel model;
        GridColumn c = GridColumn::forField(field, "c");
        c.displayFormat = format;
        model.setColumns({c});
        loadInto(model, "select * from tst");
        QCOMPARE(model.data(model.index(0, 0)).toString(), shown);
    }

    void yesNoColumnsShowTicks() {
        exec("insert into tst (F_key, F_flag) values (1, 1), (2, 0), (3, NULL)");
        ResultModel model;
        model.setColumns({GridColumn::forField("F_flag", "Flag"), GridColumn::forField("F_key", "Key")});
        loadInto(model, "select * from tst order by F_key");
        QCOMPARE(model.data(model.index(0, 0), Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QCOMPARE(model.data(model.index(1, 0), Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QCOMPARE(model.data(model.index(2, 0), Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QVERIFY(!model.data(model.index(0, 1), Qt::CheckStateRole).isValid());
    }

    void footersAndRowRule() {
        exec("insert into tst (F_key, F_num, F_flag) values (1, 1000.25, 1), (2, NULL, 0), (3, 24, NULL)");
        ResultModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        GridColumn key = GridColumn::forField("F_key", "Key");
        key.footerType = GridColumn::StaticText;
        key.footerValue = "合计";
        GridColumn sum = GridColumn::forField("F_num", "Sum");
        sum.footerType = GridColumn::Sum;
        sum.displayFormat = "0.00";
        GridColumn none = GridColumn::forField("F_flag", "Flag");
        none.footerValue = "not shown";
        model.setColumns({key, sum, none});
        model.setRowRule([](const ResultModel::RowValues& row) { return row.value("F_flag").toInt() == 1; });
        loadInto(model, "select * from tst order by F_key");
        QCOMPARE(model.footerText(key), QString("合计"));
        QCOMPARE(model.footerText(sum), QString("1024.25"));
        QCOMPARE(model.footerText(none), QString());

        QVERIFY(model.isMarked(0));
        QVERIFY(!model.isMarked(1));
        QCOMPARE(model.data(model.index(0, 1), Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
        QVERIFY(!model.data(model.index(2, 1), Qt::ForegroundRole).isValid());
        // The mark belongs to the record, wherever sorting puts it.
        QVERIFY(model.sortBy(SortText::parse("F_key DESC")));
        QVERIFY(model.isMarked(2));
        QVERIFY(!model.isMarked(0));
    }

    void headersCarrySortMarks() {
        ResultModel model;
        model.setColumns({GridColumn::forField("F_key", "编号"), GridColumn::forField("F_memo1", "备注")});
        QVERIFY(model.columns()[1].memo);
        QVERIFY(!model.columns()[0].memo);
        model.setSortMark(0, 1);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QString("编号 ▲"));
        model.setSortMark(0, 2);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QString("编号 ▼"));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("备注"));
        QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::Alignment(Qt::AlignCenter));
    }
};

QTEST_MAIN(TestResultModel)
#include "tst_resultmodel.moc"
