#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "Report.h"
#include "ReportDocument.h"
#include "ReportTablePages.h"
#include "ReportTestData.h"

using namespace ReportTestData;

namespace {

QString code(int i) { return QString("Y%1").arg(i, 6, 10, QChar('0')); }

// A list like the delivered ones: a title, a column header in <thead>, a
// total row and a count after the rows, page header and footer.
Report longList(int rows, const QString& rowMarkup) {
    QList<QVariantList> data;
    for (int i = 1; i <= rows; ++i) {
        // Every 50th trainee has a long note that wraps onto several lines.
        const QString note = i % 50 == 0 ? QString("补考安排：%1 ").arg(i).repeated(12) : QString("备注%1").arg(i);
        data << QVariantList{code(i), QString("学员%1").arg(i), note, 100.0};
    }
    Report report;
    report.bind(source("frxDM", {"F_code", "F_name", "F_memo1", "F_SKprice"}, data));
    report.setSchoolName("维尔摩驾校");
    report.setTemplateText(
        "{{@landscape}}<style>body { font-family: 'WenQuanYi Micro Hei'; } table.grid { border-width: 0.5px; border-style: solid; border-color: #7f8c9b; }"
        "td.n { text-align: right; }</style>"
        "{{#pageheader}}<p>{{school}}</p>{{/pageheader}}"
        "{{#pagefooter}}<p align=\"center\">第 {{page}} 页 / 共 {{pages}} 页</p>{{/pagefooter}}"
        "<h1>学员名单</h1><table class=\"grid\" width=\"100%\" cellspacing=\"0\" cellpadding=\"2\">"
        "<thead><tr><th>序号</th><th>档案编号</th><th>姓名</th><th>备注</th><th>收款金额</th></tr></thead>"
        "{{#frxDM}}" + rowMarkup + "\n{{/frxDM}}"
        "<tr><td>合计</td><td></td><td></td><td></td><td class=\"n\">{{sum:frxDM.F_SKprice|0.00}}</td></tr></table>"
        "<p>共 {{count:frxDM}} 条</p>");
    return report;
}

const QString plainRow = "<tr><td>{{row}}</td><td>{{F_code}}</td><td>{{F_name}}</td><td>{{F_memo1}}</td>"
                         "<td class=\"n\">{{F_SKprice|0.00}}</td></tr>";

}  // namespace

class TestReportLongList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every row once, in order, never split; the column header and the page
    // numbers on every page; the totals after the last row.
    void everyRowOnceWithHeaderOnEveryPage_data() {
        QTest::addColumn<QString>("rowMarkup");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("shaded");
        QTest::newRow("paged row by row") << plainRow << 3000 << false;
        // Markup inside the cells is left to Qt's own paging of the whole table.
        QTest::newRow("paged as one document")
            << "<tr><td>{{row}}</td><td>{{F_code}}</td><td><b>{{F_name}}</b></td><td>{{F_memo1}}</td>"
               "<td class=\"n\">{{F_SKprice|0.00}}</td></tr>"
            << 400 << false;
        QTest::newRow("shaded rows paged as one document")
            << "<tr><td style=\"background-color: #eeeeee\">{{row}}</td><td>{{F_code}}</td><td>{{F_name}}</td>"
               "<td>{{F_memo1}}</td><td class=\"n\">{{F_SKprice|0.00}}</td></tr>"
            << 400 << true;
    }

    void everyRowOnceWithHeaderOnEveryPage() {
        QFETCH(QString, rowMarkup);
        QFETCH(int, rows);
        QFETCH(bool, shaded);
        const Report report = longList(rows, rowMarkup);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("long.pdf");
        QVERIFY(ReportDocument(report.render()).exportPdf(pdf));
        if (qEnvironmentVariableIsSet("VELMOR_KEEP_REPORTS"))
            QFile::copy(pdf, QDir(qEnvironmentVariable("VELMOR_KEEP_REPORTS")).filePath(QTest::currentDataTag() + QString(".pdf")));

        const QStringList pages = pdfText(pdf).split(QChar('\f'), Qt::SkipEmptyParts);
        const int count = int(pages.size());
        QVERIFY2(count > 10, qPrintable(QString::number(count)));
        static const QRegularExpression codes("Y\\d{6}");
        int next = 1;
        for (int p = 0; p < count; ++p) {
            const QString page = pages[p];
            QVERIFY2(page.simplified().remove(' ').contains(QString("第%1页/共%2页").arg(p + 1).arg(count)),
                     qPrintable(QString::number(p + 1)));
            QVERIFY(page.contains("维尔摩驾校"));
            QVERIFY2(page.contains(QRegularExpression("序号\\s+档案编号\\s+姓名\\s+备注\\s+收款金额")),
                     qPrintable(QString("no column header on page %1").arg(p + 1)));
            QCOMPARE(page.contains("学员名单"), p == 0);
            // Rows continue in order from page to page: none lost, none twice.
            for (auto it = codes.globalMatch(page); it.hasNext();) QCOMPARE(it.next().captured(0), code(next++));
        }
        QCOMPARE(next, rows + 1);
        // The rows print in the template's font, not a fallback one.
        QProcess fonts;
        fonts.start("pdffonts", {pdf});
        QVERIFY(fonts.waitForFinished());
        const QStringList lines = QString::fromUtf8(fonts.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!lines.isEmpty());
        for (const QString& line : lines) QVERIFY2(line.startsWith("WenQuanYiMicroHei"), qPrintable(line));
        // A wrapped note stays whole on the page that shows its row.
        for (int p = 0; p < count; ++p)
            if (pages[p].contains(code(50))) QCOMPARE(pages[p].count(QRegularExpression("：50(?!\\d)")), 12);
        if (shaded) {
            // The shading is printed: plenty of exactly its grey on the first page.
            QProcess::execute("pdftoppm", {"-r", "30", "-f", "1", "-l", "1", "-aa", "no", "-aaVector", "no",
                                           "-singlefile", "-png", pdf, dir.filePath("page")});
            const QImage image(dir.filePath("page.png"));
            QVERIFY(!image.isNull());
            int grey = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) grey += image.pixel(x, y) == qRgb(0xee, 0xee, 0xee);
            QVERIFY2(grey > 200, qPrintable(QString::number(grey)));
        }
        const QString last = pages.last().simplified();
        QVERIFY2(last.contains(QString("合计 %1.00").arg(rows * 100)), qPrintable(last));
        QVERIFY(last.contains(QString("共 %1 条").arg(rows)));
    }

    // Cell text as a browser shows it: markup decoded, blanks collapsed, line breaks kept.
    void rowCells_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<bool>("plain");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("escaped") << "<tr><td class=\"c\">&lt;b&gt; &amp; &quot;x&quot;</td><th>&#36;</th></tr>"
                                 << true << QStringList{"<b> & \"x\"", "$"};
        QTest::newRow("blanks") << "<tr>\n <td>  其 &nbsp;他  </td><td></td></tr>\n" << true
                                << QStringList{QString("其 ") + QChar(0xA0) + "他", ""};
        QTest::newRow("line breaks") << "<tr><td>一行<br>二行</td></tr>" << true << QStringList{"一行\n二行"};
        QTest::newRow("inline markup") << "<tr><td><b>x</b></td></tr>" << false << QStringList{};
        QTest::newRow("spanning cell") << "<tr><td colspan=\"2\">x</td></tr>" << false << QStringList{};
        QTest::newRow("unknown reference") << "<tr><td>&copy;</td></tr>" << false << QStringList{};
        QTest::newRow("unclosed cell") << "<tr><td>x</tr>" << false << QStringList{};
        QTest::newRow("text outside cells") << "<tr>x<td>y</td></tr>" << false << QStringList{};
    }

    void rowCells() {
        QFETCH(QString, html);
        QFETCH(bool, plain);
        QFETCH(QStringList, cells);
        QStringList parsed;
        QCOMPARE(ReportTablePages::parseRow(html, &parsed), plain);
        if (plain) QCOMPARE(parsed, cells);
    }
};

QTEST_MAIN(TestReportLongList)
#include "tst_reportlonglist.moc"
