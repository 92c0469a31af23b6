#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "DataGrid.h"
#include "GridExport.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"

namespace {

// The workbook as openpyxl reads it: sheet title, cell values and number formats.
QJsonObject readWorkbook(const QString& path) {
    QProcess python;
    python.start("/usr/bin/python3",
                 {"-c",
                  "import openpyxl, json, sys\n"
                  "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                  "rows = list(ws.iter_rows())\n"
                  "print(json.dumps({'title': ws.title, 'values': [[c.value for c in r] for r in rows],\n"
                  "                  'formats': [[c.number_format for c in r] for r in rows]}))\n",
                  path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        qWarning() << python.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

// Cells as texts: "-" for an empty cell, numbers as written by QString::number.
QStringList cells(const QJsonValue& row) {
    QStringList texts;
    for (const QJsonValue& v : row.toArray())
        texts.append(v.isNull() ? QString("-") : v.isDouble() ? QString::number(v.toDouble()) : v.toString());
    return texts;
}

}  // namespace

class TestGridExport : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    QTemporaryDir out;

    void fillGrid(DataGrid& grid) {
        QVERIFY(home->dm().RunSQL(
            "insert into T_employee (F_mainID, F_code, F_name, F_BMdate, F_SKprice, F_SKflag, F_useFlag, F_memo1) "
            "values (1, 'Y001', 'O''Neil 王', '2024-01-05', 1234.5, 1, 1, 'hidden memo'), "
            "(2, 'Y002', '李四', '1900-08-14', NULL, 0, 0, NULL), (3, '007', '张三', '', 80, NULL, NULL, '')"));
        GridColumns columns = {GridColumn::forField("F_code", "档案编号"), GridColumn::forField("F_name", "姓名"),
                               GridColumn::forField("F_BMdate", "报名时间"),
                               GridColumn::forField("F_SKprice", "收款金额"),
                               GridColumn::forField("F_SKflag", "付款状态"),
                               GridColumn::forField("F_useFlag", "已通过"), GridColumn::forField("F_memo1", "备注")};
        columns[3].displayFormat = "0.00";
        columns[6].visible = false;
        grid.setColumns(columns);
        QVERIFY(grid.open(home->dm(), "select * from T_employee order by F_mainID"));
    }

private Q_SLOTS:
    void init() {
        home = std::make_unique<TestHome>();
        QVERIFY(home->ok());
    }

    void writtenWorkbookReadsBack() {
        ScriptedMessageService::Scope messages;
        DataGrid grid;
        fillGrid(grid);
        QVERIFY(grid.setSortText("F_mainID DESC"));
        const QString path = out.filePath("export");
        messages->files.enqueue(path);
        QVERIFY(ExportGridToExcel(&grid, "学员档案记录列表"));
        QVERIFY(messages->messages.isEmpty());
        QVERIFY(messages->lastStartDir.endsWith(
            "学员档案记录列表_" + QDate::currentDate().toString("yyyyMMdd") + ".xlsx"));
        QVERIFY(!QFile::exists(path));
        QVERIFY(!QFile::exists(path + ".xlsx.part"));

        const QJsonObject book = readWorkbook(path + ".xlsx");
        QCOMPARE(book["title"].toString(), QString("学员档案记录列表"));
        const QJsonArray values = book["values"].toArray();
        QCOMPARE(values.size(), 4);
        QCOMPARE(cells(values[0]), QStringList({"档案编号", "姓名", "报名时间", "收款金额", "付款状态", "已通过", "备注"}));
        // In the grid's order; the no-date and empty texts as empty cells, the
        // payment state as its number, flags as True/False, the hidden column included.
        QCOMPARE(cells(values[1]), QStringList({"007", "张三", "-", "80", "-", "False", "-"}));
        QCOMPARE(cells(values[2]), QStringList({"Y002", "李四", "-", "-", "0", "False", "-"}));
        QCOMPARE(cells(values[3]), QStringList({"Y001", "O'Neil 王", "2024-01-05", "1234.5", "1", "True", "hidden memo"}));
        const QJsonArray formats = book["formats"].toArray()[3].toArray();
        QCOMPARE(formats[0].toString(), QString("@"));
        QCOMPARE(formats[3].toString(), QString("0.00"));
    }

    void cancelAndFailure() {
        ScriptedMessageService::Scope messages;
        DataGrid grid;
        fillGrid(grid);
        messages->files.enqueue("");
        QVERIFY(!ExportGridToExcel(&grid, "报考记录"));
        QVERIFY(messages->messages.isEmpty());

        const QString missing = out.filePath("no such folder/报考记录.xlsx");
        messages->files.enqueue(missing);
        QVERIFY(!ExportGridToExcel(&grid, "报考记录"));
        QCOMPARE(messages->texts_of(3).size(), 1);
        QVERIFY(messages->last().contains(QDir::toNativeSeparators(missing)));
        QVERIFY(!QFile::exists(missing));
        QVERIFY(!QFile::exists(missing + ".part"));
    }

    // An earlier export of the same name is replaced only by a complete file.
    void replacesAnEarlierFile() {
        ScriptedMessageService::Scope messages;
        DataGrid grid;
        fillGrid(grid);
        const QString path = out.filePath("again.xlsx");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("not a workbook");
        old.close();
        QString error;
        // Sheet names Excel refuses are made acceptable instead of failing.
        QVERIFY(writeGridWorkbook(*grid.model(), grid.columns(), "a/b:c[1]", path, &error));
        const QJsonObject book = readWorkbook(path);
        QCOMPARE(book["title"].toString(), QString("a_b_c_1_"));
        QCOMPARE(book["values"].toArray().size(), 4);
    }
};

QTEST_MAIN(TestGridExport)
#include "tst_gridexport.moc"
