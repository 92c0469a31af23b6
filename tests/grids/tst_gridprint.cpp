#include <QApplication>
#include <QAction>
#include <QDate>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "DataGrid.h"
#include "GridPrint.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"

namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString& pdf) {
    const QRegularExpressionMatch m =
        QRegularExpression("Pages:\\s+(\\d+)").match(run("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString pageText(const QString& pdf, int page) {
    return run("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
}

}  // namespace

class TestGridPrint : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    QTemporaryDir out;

    int printToPdf(const DataGrid& grid, const QString& pdf, const GridPrintOptions& options) {
        return printGridToPdf(grid, options, pdf);
    }

private Q_SLOTS:
    void init() {
        home = std::make_unique<TestHome>();
        QVERIFY(home->ok());
    }

    void longGridRunsOverPages() {
        ScriptedMessageService::Scope messages;
        QSqlDatabase db = home->dm().database();
        db.transaction();
        QSqlQuery ins(db);
        ins.prepare("insert into T_employee (F_mainID, F_code, F_name, F_SKprice, F_memo1, F_BMdate) "
                    "values (?, ?, ?, ?, ?, ?)");
        for (int i = 1; i <= 150; ++i) {
            ins.addBindValue(i);
            ins.addBindValue(QString("Y%1").arg(i, 4, 10, QChar('0')));
            ins.addBindValue(QString("学员%1").arg(i));
            ins.addBindValue(10);
            ins.addBindValue(QString("很长的备注文字，").repeated(6));
            ins.addBindValue(i == 150 ? "1900-08-14" : "2024-05-06");
            QVERIFY(ins.exec());
        }
        db.commit();

        DataGrid grid;
        GridColumns columns = {GridColumn::forField("F_code", "档案编号", 90),
                               GridColumn::forField("F_name", "姓名", 70),
                               GridColumn::forField("F_BMdate", "报名时间", 85),
                               GridColumn::forField("F_SKprice", "收款金额", 80),
                               GridColumn::forField("F_memo1", "备注", 140), GridColumn::forField("F_ID", "secret")};
        columns[0].footerType = GridColumn::StaticText;
        columns[0].footerValue = "合计";
        columns[3].footerType = GridColumn::Sum;
        columns[3].displayFormat = "0.00";
        columns[5].visible = false;
        grid.setColumns(columns);
        QVERIFY(grid.open(home->dm(), "select * from T_employee order by F_code desc"));

        const QString pdf = out.filePath("list.pdf");
        const int pages = printToPdf(grid, pdf, {"代码字典列表", 1, "date", "驾校名称"});
        QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
        QCOMPARE(pdfPages(pdf), pages);

        const QString printed = "打印日期：" + QDate::currentDate().toString("yyyy年MM月dd日");
        const QString first = pageText(pdf, 1);
        QVERIFY(first.contains("代码字典列表"));
        QVERIFY(first.contains("Y0150"));  // the grid's order, not the table's
        QVERIFY(!first.contains("secret"));
        for (int page = 1; page <= pages; ++page) {
            const QString text = pageText(pdf, page);
            QVERIFY2(text.contains("档案编号") && text.contains("收款金额"), qPrintable(QString::number(page)));
            QVERIFY(text.contains(printed));
            QVERIFY(text.contains("驾校名称"));
            if (page > 1) QVERIFY(!text.contains("代码字典列表"));
        }
        const QString last = pageText(pdf, pages);
        QVERIFY(last.contains("Y0001"));
        QVERIFY(last.contains("合计"));
        QVERIFY(last.contains("1500.00"));

        // Rows that grow to their whole text take more pages than one line each.
        const QString wrapped = out.filePath("wrapped.pdf");
        const int wrappedPages = printToPdf(grid, wrapped, {"代码字典列表", 0, "", ""});
        QVERIFY2(wrappedPages > pages, qPrintable(QString("%1 vs %2").arg(wrappedPages).arg(pages)));
        QCOMPARE(pdfPages(wrapped), wrappedPages);
        QVERIFY(!pageText(wrapped, 1).contains("打印日期"));
    }

    void previewShowsThePages() {
        DataGrid grid;
        grid.setColumns({GridColumn::forField("F_FieldName", "字段"), GridColumn::forField("F_Caption", "标题")});
        QVERIFY(grid.open(home->dm(), "select * from cfg_Grid order by F_ID"));
        ScriptedMessageService::Scope messages;
        const QString pdf = out.filePath("preview.pdf");
        messages->files.enqueue(pdf);
        int shownPages = 0;
        QTimer::singleShot(0, [&shownPages] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            QVERIFY(preview);
            QCOMPARE(preview->windowTitle(), QString("代码字典"));
            shownPages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
            preview->findChild<QAction*>("actExportPdf")->trigger();
            preview->reject();
        });
        PrintGrid(&grid, "代码字典", 1, "date", "");
        QVERIFY2(shownPages > 1, qPrintable(QString::number(shownPages)));
        QCOMPARE(pdfPages(pdf), shownPages);
        QVERIFY(messages->messages.isEmpty());

        // A folder that is not there: told, and nothing is left behind.
        const QString missing = out.filePath("missing/list.pdf");
        QCOMPARE(printGridToPdf(grid, {"代码字典", 1, "", ""}, missing), 0);
        QVERIFY(!QFile::exists(missing) && !QFile::exists(missing + ".part"));
    }

    // A grid wider than the page goes on landscape pages and shrinks whole, so
    // even its last column is on paper.
    void wideGridShrinksOntoLandscape() {
        QVERIFY(home->dm().RunSQL("insert into T_employee (F_mainID, F_code, F_useFlag) values (1, 'Y0001', 1)"));
        DataGrid grid;
        GridColumns columns = {GridColumn::forField("F_useFlag", "已通过", 60)};
        for (int i = 1; i <= 25; ++i) columns.append(GridColumn::forField("F_code", QString("列%1").arg(i), 100));
        grid.setColumns(columns);
        QVERIFY(grid.open(home->dm(), "select * from T_employee"));
        const QString pdf = out.filePath("wide.pdf");
        QCOMPARE(printToPdf(grid, pdf, {"宽表", 1, "", ""}), 1);
        QVERIFY(run("pdfinfo", {pdf}).contains("842 x 595"));
        const QString text = pageText(pdf, 1);
        QVERIFY(text.contains("列25"));
        QVERIFY(text.contains("√"));
    }

    void emptyGridPrintsItsTitles() {
        DataGrid grid;
        grid.setColumns({GridColumn::forField("F_code", "编号")});
        const QString pdf = out.filePath("empty.pdf");
        QCOMPARE(printToPdf(grid, pdf, {"空表", 1, "", ""}), 1);
        QVERIFY(pageText(pdf, 1).contains("编号"));
        QCOMPARE(gridFooterText("制表 date"), "制表 打印日期：" + QDate::currentDate().toString("yyyy年MM月dd日"));
    }
};

QTEST_MAIN(TestGridPrint)
#include "tst_gridprint.moc"
