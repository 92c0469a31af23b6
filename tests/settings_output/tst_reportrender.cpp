#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include "CurrentOperator.h"
#include "DataDm.h"
#include "Report.h"
#include "ReportDocument.h"
#include "ReportTemplates.h"
#include "ReportTestData.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"

using namespace ReportTestData;

namespace {

QString bodyText(const Report& report) {
    return ReportDocument(report.render()).bodyDocument()->toPlainText();
}

ReportSource trainees() {
    return source("frxDM", {"F_code", "F_name", "F_BMdate", "F_SKprice", "F_useFlag", "F_SKflag"},
                  {{"Y202401001", "张三", "2024-01-05", 1200.5, 1, 0},
                   {"Y202401002", "<b>李四</b> & 子", "1900-08-14", 800.0, 0, 1},
                   {"Y202401003", "王五", QVariant(), QVariant(), QVariant(), QVariant()}});
}

// Warnings raised while a report is laid out or painted (a broken template, a font problem).
QStringList warnings;
void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtWarningMsg && !text.contains(QLatin1String("propagateSizeHints"))) warnings << text;
}

}  // namespace

class TestReportRender : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { setCurrentOperator(OperatorValues{}); }

    void bandRepeatsForEveryRowWithSumsAndCounts() {
        Report report;
        report.bind(trainees());
        report.setTemplateText(
            "<table>{{#frxDM}}<tr><td>{{row}}.</td><td>{{F_name}}</td><td>{{frxDM.F_code}}</td></tr>{{/frxDM}}</table>"
            "<p>合计 {{sum:frxDM.F_SKprice|0.00}} 共 {{count:frxDM}} 人 当前 {{frxDM.F_name}}</p>");
        QTemporaryDir dir;
        const QString pdf = dir.filePath("band.pdf");
        QVERIFY(ReportDocument(report.render()).exportPdf(pdf));
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QRegularExpression("1\\.\\s+张三\\s+Y202401001")), qPrintable(text));
        QVERIFY(text.contains(QRegularExpression("2\\.\\s+<b>李四</b> & 子\\s+Y202401002")));
        QVERIFY(text.contains(QRegularExpression("3\\.\\s+王五\\s+Y202401003")));
        QVERIFY(text.indexOf("张三") < text.indexOf("李四") && text.indexOf("李四") < text.indexOf("王五"));
        QVERIFY(text.contains("合计 2000.50 共 3 人 当前 张三"));

        // The designer's live view of a long list stops the bands early, not the totals.
        const QString limited = ReportDocument(report.render(2)).bodyDocument()->toPlainText();
        QVERIFY(limited.contains("李四") && !limited.contains("王五"));
        QVERIFY(limited.contains("合计 2000.50 共 3 人"));
    }

    void missingObjectsAndUnboundSourcesPrintNothing() {
        Report report;
        report.bind(trainees());
        report.setText("MemoDate", "统计日期：自 启用系统 至 记帐最后一天");
        report.setTemplateText("[{{text:MemoDate}}][{{text:Memo3}}][{{#frxDD}}行{{F_name}}{{/frxDD}}]"
                               "[{{frxDD.F_name}}][{{frxDM.F_nothing}}][{{sum:frxDD.F_SKprice}}][{{count:frxDD}}]"
                               "[{{picture:photo}}][{{page}}]");
        QCOMPARE(bodyText(report), QString("[统计日期：自 启用系统 至 记帐最后一天][][][][][0][0][][]"));
    }

    void valuesAreEscapedNotInterpreted() {
        Report report;
        report.bind(source("frxDM", {"F_name", "F_memo1"}, {{"<b>", "一行\n二行 {{F_name}} \xee\x80\x80P"}}));
        report.setText("Memo1", "<i>x</i>");
        report.setSchoolName("A&B驾校");
        report.setTemplateText("{{#frxDM}}{{F_name}}|{{F_memo1}}{{/frxDM}}|{{text:Memo1}}|{{school}}"
                               "{{#pagefooter}}{{page}}{{/pagefooter}}");
        const RenderedReport rendered = report.render();
        QVERIFY(!rendered.bodyHtml.contains("<b>"));
        QCOMPARE(ReportDocument(rendered).bodyDocument()->toPlainText(),
                 QString("<b>|一行\n二行 {{F_name}} P|<i>x</i>|A&B驾校"));
    }

    void valuesFollowTheGridDisplayRules_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("moneyFormat");
        QTest::addColumn<QString>("expected");
        QTest::newRow("date") << QVariant("2024-03-09") << "date" << "" << "2024-03-09";
        QTest::newRow("stamp as date") << QVariant("2024-03-09 08:15:00") << "date" << "" << "2024-03-09";
        QTest::newRow("no-date blank") << QVariant("1900-08-14") << "date" << "" << "";
        QTest::newRow("early date blank") << QVariant("1901-08-13") << "date" << "" << "";
        QTest::newRow("no-date blank unformatted") << QVariant("1900-08-14") << "" << "" << "";
        QTest::newRow("unformatted date kept") << QVariant("2023-12-31") << "" << "" << "2023-12-31";
        QTest::newRow("yes") << QVariant(1) << "yesno" << "" << "是";
        QTest::newRow("null is no") << QVariant() << "yesno" << "" << "否";
        QTest::newRow("check") << QVariant(1) << "check" << "" << "√";
        QTest::newRow("unpaid") << QVariant(0) << "paystate" << "" << "未付清";
        QTest::newRow("paid") << QVariant(1) << "paystate" << "" << "已付清";
        QTest::newRow("other state") << QVariant() << "paystate" << "" << "其  他";
        QTest::newRow("money default") << QVariant(1234.5) << "money" << "" << "1234.50";
        QTest::newRow("operator money") << QVariant(1234.5) << "money" << "￥,0.00" << "￥1,234.50";
        QTest::newRow("money blank when null") << QVariant() << "money" << "" << "";
        QTest::newRow("number format") << QVariant(66.666) << "0.##" << "" << "66.67";
        QTest::newRow("plain real") << QVariant(800.0) << "" << "" << "800";
        QTest::newRow("text with pipe format spaces") << QVariant(3.0) << " 0.0 " << "" << "3.0";
    }

    void valuesFollowTheGridDisplayRules() {
        QFETCH(QVariant, value);
        QFETCH(QString, format);
        QFETCH(QString, moneyFormat);
        QFETCH(QString, expected);
        OperatorValues op;
        op.moneyFormat = moneyFormat;
        setCurrentOperator(op);
        Report report;
        report.bind(source("frxMain", {"F_x"}, {{value}}));
        report.setTemplateText(format.isEmpty() ? QString("[{{frxMain.F_x}}]") : "[{{frxMain.F_x|" + format + "}}]");
        QCOMPARE(bodyText(report), "[" + expected + "]");
    }

    void fieldsOutsideABandReadTheCurrentRow() {
        Report report;
        ReportSource s = trainees();
        s.name = "frxMain";
        s.current = 2;
        report.bind(s);
        report.setTemplateText("{{frxMain.f_NAME}}/{{#frxMain}}{{frxMain.F_code}},{{/frxMain}}");
        QCOMPARE(bodyText(report), QString("王五/Y202401001,Y202401002,Y202401003,"));
        // Binding again under the same name replaces the rows.
        report.bind(source("FRXMAIN", {"F_name"}, {{"赵六"}}));
        QCOMPARE(bodyText(report), QString("赵六/,"));
    }

    void pageNumbersCountEveryPageOfALongList() {
        QList<QVariantList> rows;
        for (int i = 1; i <= 150; ++i) rows << QVariantList{QString("学员%1").arg(i, 3, 10, QChar('0'))};
        Report report;
        report.bind(source("frxDM", {"F_name"}, rows));
        report.setTemplateText("{{#pageheader}}名单{{/pageheader}}{{#pagefooter}}<p>第 {{page}} 页 / 共 {{pages}} 页</p>"
                               "{{/pagefooter}}<table>{{#frxDM}}<tr><td>{{F_name}}</td></tr>{{/frxDM}}</table>");
        QTemporaryDir dir;
        const QString pdf = dir.filePath("long.pdf");
        QVERIFY(ReportDocument(report.render()).exportPdf(pdf));
        const QStringList pages = pdfText(pdf).split(QChar('\f'), Qt::SkipEmptyParts);
        const int count = int(pages.size());
        QVERIFY2(count >= 3, qPrintable(QString::number(count)));
        for (int p = 0; p < count; ++p) {
            QVERIFY(pages[p].simplified().remove(' ').contains(QString("第%1页/共%2页").arg(p + 1).arg(count)));
            QVERIFY(pages[p].contains("名单"));
        }
        // No row is lost or printed twice across the page breaks.
        const QString all = pages.join('\n');
        for (int i = 1; i <= 150; ++i) QCOMPARE(all.count(QString("学员%1").arg(i, 3, 10, QChar('0'))), 1);
    }

    void templatesLoadAndMissingFileGivesAnEmptyReport() {
        QTemporaryDir dir;
        Report report;
        report.setTemplateText("<p>{{school}}</p>");
        QVERIFY(report.saveToFile(dir.filePath("t.vrpt")));
        QVERIFY(report.loadFromFile(dir.filePath("t.vrpt")));
        QCOMPARE(report.templateText(), QString("<p>{{school}}</p>"));
        QCOMPARE(report.fileName(), dir.filePath("t.vrpt"));

        QVERIFY(!report.loadFromFile(dir.filePath("missing.vrpt")));
        QVERIFY(report.fileName().isEmpty());
        report.bind(trainees());
        QCOMPARE(bodyText(report), QString());
        QTemporaryDir out;
        QVERIFY(ReportDocument(report.render()).exportPdf(out.filePath("empty.pdf")));
        QCOMPARE(pdfText(out.filePath("empty.pdf")).trimmed(), QString());
    }

    void pageSetupDirectives() {
        Report report;
        QCOMPARE(ReportDocument(report.render()).pageLayout().orientation(), QPageLayout::Portrait);
        QCOMPARE(ReportDocument(report.render()).pageLayout().margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));
        report.setTemplateText("{{@landscape}}{{@margins 15}}x");
        const QPageLayout layout = ReportDocument(report.render()).pageLayout();
        QCOMPARE(layout.orientation(), QPageLayout::Landscape);
        QCOMPARE(layout.pageSize().id(), QPageSize::A4);
        QCOMPARE(layout.margins(QPageLayout::Millimeter), QMarginsF(15, 15, 15, 15));
    }

    void sourcesFromQueriesLeavePicturesOut() {
        TestHome home(20);
        QVERIFY(home.ok());
        QSqlQuery q(home.dm().database());
        QVERIFY(home.dm().OpenSQL(q, "select * from T_employee order by F_code"));
        QVERIFY(q.next() && q.next());  // a window's query already standing on a row
        const ReportSource s = ReportSource::fromQuery("frxMain", q);
        QCOMPARE(s.rows.size(), 20);
        QCOMPARE(s.columnIndex("F_empImage"), -1);
        QVERIFY(s.columnIndex("f_imagepath") >= 0);
        QCOMPARE(s.value(0, "F_code").toString(),
                 home.dm().QueryText("select F_code from T_employee order by F_code"));
    }

    void exportsWriteHtmlAndWorkbook() {
        Report report;
        report.bind(trainees());
        QImage photo(8, 8, QImage::Format_RGB32);
        photo.fill(Qt::red);
        QByteArray png;
        QBuffer buffer(&png);
        photo.save(&buffer, "PNG");
        report.setPicture("photo", png);
        report.setTemplateText("<h1>名单</h1>{{picture:photo|20x20}}<table>{{#frxDM}}<tr><td>{{F_code}}</td>"
                               "<td>{{F_name}}</td></tr>{{/frxDM}}</table>");
        const ReportDocument doc(report.render());
        QTemporaryDir dir;
        QVERIFY(doc.exportHtml(dir.filePath("r.html")));
        QFile html(dir.filePath("r.html"));
        QVERIFY(html.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(html.readAll());
        QVERIFY(text.contains("&lt;b&gt;李四&lt;/b&gt; &amp; 子"));
        QVERIFY(text.contains("src=\"data:image/png;base64,"));

        QVERIFY(doc.exportXlsx(dir.filePath("r.xlsx")));
        QVERIFY(!QFile::exists(dir.filePath("r.xlsx.part.xlsx")));
        QProcess unzip;
        unzip.start("unzip", {"-p", dir.filePath("r.xlsx"), "xl/sharedStrings.xml"});
        QVERIFY(unzip.waitForFinished());
        const QString strings = QString::fromUtf8(unzip.readAllStandardOutput());
        for (const char* expected : {"名单", "Y202401003", "王五", "&lt;b&gt;李四&lt;/b&gt; &amp; 子"})
            QVERIFY2(strings.contains(QString::fromUtf8(expected)), expected);

        // A folder that cannot be written leaves no file behind and reports failure.
        QVERIFY(!doc.exportXlsx(dir.filePath("no/such/r.xlsx")));
        QVERIFY(!doc.exportPdf(dir.filePath("no/such/r.pdf")));
    }

    // Every delivered template, fed the columns its window hands over, renders
    // without a warning, without a left-over token and refers only to columns
    // that exist.
    void deliveredTemplatesRenderOnDemoData_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("sql");
        const QString trainee = "t.F_mainID,t.F_code,t.F_name,t.F_SFZcode,t.F_BMdate,t.F_JTaddress,t.F_BKcarType,"
                                "t.F_sex,t.F_ZKZdate,t.F_LXphone,t.F_JLemp,t.F_CPcode,t.F_SKdate,t.F_kemu1,t.F_ZK1,"
                                "t.F_7X3,t.F_kemu3,t.F_empName";
        QTest::newRow("trainee detail") << ReportTemplates::traineeDetail << "select * from T_employee order by F_code";
        QTest::newRow("trainee list") << ReportTemplates::traineeList << "select * from T_employee order by F_code";
        QTest::newRow("make-up list") << ReportTemplates::makeupList
                                      << "select " + trainee + ",bk.F_ID,bk.F_ItemName,bk.F_BKdate,bk.F_IFtg,bk.F_FZemp,"
                                         "bk.F_memo1,bk.F_editdate,bk.F_operName from t_BKrec as bk left join T_employee"
                                         " as t on t.F_mainID = bk.F_mainID order by bk.F_BKdate";
        QTest::newRow("make-up detail") << ReportTemplates::makeupDetail
                                        << "select " + trainee + ",bk.F_ID,bk.F_ItemName,bk.F_BKdate,bk.F_IFtg,"
                                           "bk.F_FZemp,bk.F_memo1,bk.F_editdate,bk.F_operName from T_employee as t "
                                           "left join t_BKrec as bk on t.F_mainID = bk.F_mainID order by bk.F_BKdate";
        QTest::newRow("payment list") << ReportTemplates::paymentList
                                      << "select " + trainee + ",sk.F_ID,sk.F_SKdate as sk_SKdate,sk.F_SKemp,"
                                         "sk.F_SKprice,sk.F_memo1,sk.F_SHdate,sk.F_SHemp,sk.F_editDate,sk.F_operName "
                                         "from t_SKrec as sk left join T_employee as t on t.F_mainID = sk.F_mainID";
        QTest::newRow("reminders") << ReportTemplates::reminderList
                                   << "select " + trainee + ",tx.F_awokeDate,tx.F_awokeTime,tx.F_caption,tx.F_memo1,"
                                      "cast(julianday(tx.F_awokeDate) - julianday('now') as integer) as F_num from "
                                      "T_employee as t join t_TXrec as tx on t.F_mainID = tx.F_mainID";
        QTest::newRow("staff") << ReportTemplates::staffList << "select * from EmpList";
        QTest::newRow("vehicles") << ReportTemplates::vehicleList << "select * from CarList";
        QTest::newRow("combined statistics")
            << ReportTemplates::traineeTotals
            << "select F_JLemp as F_name, count(*) as F_XYnum, sum(F_useFlag) as F_TGnum, count(*) - sum(F_useFlag) as "
               "F_WGnum, 100.0 * sum(F_useFlag) / count(*) as F_TGrate, sum(F_kemu1) as F_KM1num, sum(F_kemu1) as "
               "F_KM1TGnum, 100.0 as F_KM1rate, sum(F_zk1) as F_ZKnum, sum(F_zk1) as F_ZKTGnum, 100.0 as F_ZKrate, "
               "sum(F_7x3) as F_7x3num, sum(F_7x3) as F_7x3TGnum, 100.0 as F_7x3rate, sum(F_kemu3) as F_KM3num, "
               "sum(F_kemu3) as F_KM3TGnum, 100.0 as F_KM3rate, 1 as F_flag from T_employee group by F_JLemp";
        QTest::newRow("subject statistics")
            << ReportTemplates::subjectDetail
            << "select F_JLemp as F_name, '科目一' as F_XMname, count(*) as F_XYnum, sum(F_kemu1) as F_TGnum, "
               "count(*) - sum(F_kemu1) as F_WGnum, 100.0 * sum(F_kemu1) / count(*) as F_TGrate, 1 as F_flag "
               "from T_employee group by F_JLemp";
        QTest::newRow("payment detail statistics")
            << ReportTemplates::paymentDetail
            << "select " + trainee + ",t.F_SKprice, coalesce(p.paid, 0) as F_YSprice, t.F_SKprice - coalesce(p.paid, 0)"
               " as F_YEprice from T_employee as t left join (select F_mainID, sum(F_SKprice) as paid from t_SKrec "
               "group by F_mainID) as p on p.F_mainID = t.F_mainID order by t.F_code";
        QTest::newRow("payment summary statistics")
            << ReportTemplates::paymentTotals
            << "select F_JLemp as F_name, sum(F_SKprice) as F_SKprice, sum(F_SKprice) / 2 as sk_price, "
               "sum(F_SKprice) / 2 as sk_YEprice from T_employee group by F_JLemp";
        QTest::newRow("chart") << ReportTemplates::statisticsChart
                               << "select F_BKcarType as F_name, count(*) as F_num from T_employee group by F_BKcarType";
    }

    void deliveredTemplatesRenderOnDemoData() {
        QFETCH(QString, base);
        QFETCH(QString, sql);
        TestHome home(200);
        QVERIFY(home.ok());
        ScriptedMessageService::Scope messages;
        Report report;
        QVERIFY2(report.loadFromFile(Report::templatePath(home.dm().home(), base)), qPrintable(base));
        const bool main = base == ReportTemplates::traineeDetail || base == ReportTemplates::traineeList;
        ReportSource rows = query(home.dm(), main ? "frxMain" : "frxDM", sql);
        QVERIFY(!rows.isEmpty());
        report.bind(rows);
        for (const char* detail : {"frxDetail1", "frxDetail2", "frxDetail3"}) {
            const QString table = QString(detail).endsWith('1') ? "t_BKrec" : QString(detail).endsWith('2') ? "t_SKrec" : "t_TXrec";
            report.bind(query(home.dm(), detail, "select * from " + table + " limit 5"));
        }
        report.setSchoolName("维尔摩驾校");
        for (const char* object : {"MemoDate", "Memo1", "Memo2", "Memo3", "memName", "memXMname", "memTotal"})
            report.setText(object, QString("〔%1〕").arg(object));

        // Every field the template names exists in the source it reads.
        static const QRegularExpression field("\\{\\{\\s*(?:(\\w+)\\.)?(\\w+)\\s*(?:\\|[^}]*)?\\}\\}");
        for (auto it = field.globalMatch(report.templateText()); it.hasNext();) {
            const auto m = it.next();
            const QString name = m.captured(2);
            if (QStringList{"row", "date", "school", "page", "pages"}.contains(name)) continue;
            const ReportSource* s = report.source(m.captured(1).isEmpty() ? rows.name : m.captured(1));
            bool known = s && s->columnIndex(name) >= 0;
            if (!known && m.captured(1).isEmpty())
                for (const ReportSource& other : report.sources()) known = known || other.columnIndex(name) >= 0;
            QVERIFY2(known, qPrintable(base + ": " + m.captured(0)));
        }

        warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
        const RenderedReport rendered = report.render();
        const QString pdf = home.path(base + ".pdf");
        const bool written = ReportDocument(rendered).exportPdf(pdf);
        qInstallMessageHandler(previous);
        QVERIFY(written);
        if (qEnvironmentVariableIsSet("VELMOR_KEEP_REPORTS"))
            QFile::copy(pdf, QDir(qEnvironmentVariable("VELMOR_KEEP_REPORTS")).filePath(base + ".pdf"));
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
        QVERIFY(!rendered.bodyHtml.contains("{{") && !rendered.pageHeaderHtml.contains("{{"));

        const QString text = pdfText(pdf);
        QVERIFY2(text.contains("维尔摩驾校"), qPrintable(base));
        QVERIFY(text.contains(QRegularExpression("第\\s*1\\s*页\\s*/\\s*共\\s*\\d+\\s*页")));
        QVERIFY(text.contains(QString("打印日期：%1").arg(QDate::currentDate().toString("yyyy-MM-dd"))));
        const QString firstName = rows.value(0, "F_name").toString();
        if (!firstName.isEmpty()) QVERIFY2(text.contains(firstName), qPrintable(base + " " + firstName));
        if (rows.columnIndex("F_code") >= 0 && base != ReportTemplates::vehicleList)
            QVERIFY(text.contains(rows.value(0, "F_code").toString()));
        if (report.templateText().contains("MemoDate")) QVERIFY(text.contains("〔MemoDate〕"));
        QVERIFY(messages->messages.isEmpty());
    }
};

QTEST_MAIN(TestReportRender)
#include "tst_reportrender.moc"
