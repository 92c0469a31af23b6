#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>

#include "DataDm.h"
#include "FrmReportDesign.h"
#include "FrmReportGl.h"
#include "FrmReportPreview.h"
#include "Report.h"
#include "ReportCommands.h"
#include "ReportTemplates.h"
#include "ReportTestData.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"

using namespace ReportTestData;

namespace {

template <typename Window>
QList<Window*> openWindows() {
    QList<Window*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(w); window && window->isVisible()) found << window;
    return found;
}

void closeAll() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString previewText(TfrmReportPreview* preview) { return preview->document().bodyDocument()->toPlainText(); }

QPushButton* button(QWidget* window, const char* name) { return window->findChild<QPushButton*>(name); }

}  // namespace

class TestReportWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    TdmData& dm() { return home->dm(); }

    ReportSource traineesWithRecords() {
        ReportSource s = query(dm(), "frxMain", "select * from T_employee order by F_code");
        // The current trainee is one with a photo and records of all three kinds.
        const qint64 mainID = dm().QueryInt(
            "select F_mainID from T_employee where F_empImage is not null and F_mainID in (select F_mainID from t_BKrec)"
            " and F_mainID in (select F_mainID from t_SKrec) and F_mainID in (select F_mainID from t_TXrec) order by F_code");
        for (int i = 0; i < s.rows.size(); ++i)
            if (s.value(i, "F_mainID").toLongLong() == mainID) s.current = i;
        return s;
    }

private Q_SLOTS:
    void init() {
        home = std::make_unique<TestHome>(60);
        QVERIFY(home->ok());
    }
    void cleanup() { closeAll(); }

    void previewBindsRowsAndTextsAfresh() {
        ScriptedMessageService::Scope messages;
        Report report;
        QCOMPARE(ReportCommands::preview(dm(), report, ReportTemplates::staffList, ReportSource{"x", {"F_name"}, {}, 0},
                                         {}, nullptr),
                 nullptr);
        QVERIFY(openWindows<TfrmReportPreview>().isEmpty());

        const ReportSource staff = query(dm(), "rows", "select * from EmpList order by F_code");
        TfrmReportPreview* preview =
            ReportCommands::preview(dm(), report, ReportTemplates::staffList, staff, {}, nullptr);
        QVERIFY(preview && preview->isVisible() && preview->isModal());
        auto* pages = preview->findChild<QPrintPreviewWidget*>();
        QCOMPARE(pages->zoomMode(), QPrintPreviewWidget::CustomZoom);
        QCOMPARE(pages->zoomFactor(), 1.0);
        QTRY_VERIFY(preview->pageCount() >= 1);
        QCOMPARE(pages->pageCount(), preview->pageCount());
        QCOMPARE(preview->printer()->pageLayout().orientation(), QPageLayout::Landscape);
        QVERIFY(previewText(preview).contains(staff.value(0, "F_name").toString()));
        QVERIFY(previewText(preview).contains(dm().QueryText("select F_Code from SysInfo")));
        QVERIFY(report.source("frxDM"));

        // The same report object a second time: the second grouping's caption, not the first.
        const ReportSource totals = query(dm(), "rows", "select F_JLemp as F_name, count(*) as F_XYnum from T_employee "
                                                        "group by F_JLemp");
        preview = ReportCommands::preview(dm(), report, ReportTemplates::traineeTotals, totals,
                                          {{"MemoDate", "日    期：自 启用系统 至 当前日期"}, {"Memo3", "教练员"}}, nullptr);
        QVERIFY(previewText(preview).contains("教练员"));
        preview = ReportCommands::preview(dm(), report, ReportTemplates::traineeTotals, totals,
                                          {{"Memo3", "车牌号码"}}, nullptr);
        QVERIFY(previewText(preview).contains("车牌号码"));
        QVERIFY(!previewText(preview).contains("教练员"));
        QVERIFY(!previewText(preview).contains("启用系统"));
        QVERIFY(messages->messages.isEmpty());
    }

    void missingTemplatePreviewsEmptyWithoutAMessage() {
        ScriptedMessageService::Scope messages;
        QVERIFY(QFile::remove(Report::templatePath(dm().home(), ReportTemplates::staffList)));
        Report report;
        TfrmReportPreview* preview = ReportCommands::preview(
            dm(), report, ReportTemplates::staffList, query(dm(), "rows", "select * from EmpList"), {}, nullptr);
        QVERIFY(preview && preview->isVisible());
        QCOMPARE(previewText(preview), QString());
        QVERIFY(report.fileName().isEmpty());
        QVERIFY(messages->messages.isEmpty());
    }

    void previewExportsThroughTheFileChooser() {
        ScriptedMessageService::Scope messages;
        Report report;
        const ReportSource cars = query(dm(), "rows", "select * from CarList order by F_code");
        TfrmReportPreview* preview =
            ReportCommands::preview(dm(), report, ReportTemplates::vehicleList, cars, {}, nullptr);
        QVERIFY(preview);
        for (const char* name : {"actExportPdf", "actExportHtml", "actExportXlsx"}) QVERIFY(preview->findChild<QAction*>(name));

        messages->files.enqueue(home->path("cars"));
        preview->findChild<QAction*>("actExportPdf")->trigger();
        QVERIFY(QFile::exists(home->path("cars.pdf")));
        QVERIFY(pdfText(home->path("cars.pdf")).contains(cars.value(0, "F_code").toString()));
        QCOMPARE(messages->texts_of(0), QStringList{"报表已导出到：" + home->path("cars.pdf")});

        messages->files.enqueue(QString());  // cancelled: nothing written, nothing said
        preview->findChild<QAction*>("actExportHtml")->trigger();
        QCOMPARE(messages->messages.size(), 1);

        messages->files.enqueue(home->path("no/such/folder/cars.xlsx"));
        preview->findChild<QAction*>("actExportXlsx")->trigger();
        QCOMPARE(messages->texts_of(3).size(), 1);
    }

    void currentTraineeReportCarriesRecordsAndPhoto() {
        ScriptedMessageService::Scope messages;
        Report report;
        QCOMPARE(ReportCommands::previewCurrentTrainee(dm(), report, ReportSource{"frxMain", {}, {}, 0}, nullptr),
                 nullptr);

        const ReportSource trainees = traineesWithRecords();
        const QVariant mainID = trainees.currentValue("F_mainID");
        TfrmReportPreview* preview = ReportCommands::previewCurrentTrainee(dm(), report, trainees, nullptr);
        QVERIFY(preview);
        QVERIFY(report.fileName().endsWith(ReportTemplates::traineeDetail + Report::templateExtension()));
        const QString text = previewText(preview);
        QVERIFY(text.contains(trainees.currentValue("F_name").toString()));
        QCOMPARE(preview->document().rendered().pictures.size(), 1);
        const auto count = [&](const QString& table) {
            return QString("共 %1 条").arg(dm().QueryInt("select count(*) from " + table + " where F_mainID = ?", {mainID}));
        };
        QVERIFY2(text.contains(count("t_BKrec")) && text.contains(count("t_SKrec")) && text.contains(count("t_TXrec")),
                 qPrintable(text));
        QCOMPARE(report.source("frxDetail2")->rows.size(),
                 dm().QueryInt("select count(*) from t_SKrec where F_mainID = ?", {mainID}));
        QVERIFY(preview->document().exportPdf(home->path("detail.pdf")));
        if (qEnvironmentVariableIsSet("VELMOR_KEEP_REPORTS"))
            QFile::copy(home->path("detail.pdf"), qEnvironmentVariable("VELMOR_KEEP_REPORTS") + "/detail.pdf");

        preview = ReportCommands::previewTraineeList(dm(), report, trainees, nullptr);
        QVERIFY(previewText(preview).contains(QString("共 %1 条").arg(trainees.rows.size())));
        QVERIFY(messages->messages.isEmpty());
    }

    void reportManagerWorksOnTheMainReport() {
        ScriptedMessageService::Scope messages;
        Report report;
        TFrmReportGl* manager = ReportCommands::openReportManager(dm(), report, ReportSource{"frxMain", {}, {}, 0}, nullptr);
        QVERIFY(manager && manager->isVisible());
        QCOMPARE(manager->windowTitle(), QString("报表管理器"));
        auto* list = manager->findChild<QListWidget*>("lstReports");
        QCOMPARE(list->count(), 2);
        list->setCurrentRow(0);
        button(manager, "btnPreview")->click();
        button(manager, "btnDesign")->click();
        QVERIFY(openWindows<TfrmReportPreview>().isEmpty());
        QVERIFY(openWindows<TfrmReportDesign>().isEmpty());
        button(manager, "btnClose")->click();
        QCOMPARE(manager->result(), int(QDialog::Accepted));
        closeAll();

        const ReportSource trainees = traineesWithRecords();
        manager = ReportCommands::openReportManager(dm(), report, trainees, nullptr);
        list = manager->findChild<QListWidget*>("lstReports");
        // Nothing selected and nothing loaded yet: an empty report.
        button(manager, "btnPreview")->click();
        QCOMPARE(openWindows<TfrmReportPreview>().size(), 1);
        QCOMPARE(previewText(openWindows<TfrmReportPreview>().first()), QString());
        openWindows<TfrmReportPreview>().first()->close();

        list->setCurrentRow(1);
        button(manager, "btnPreview")->click();
        QVERIFY(report.fileName().endsWith(ReportTemplates::traineeList + Report::templateExtension()));
        QVERIFY(previewText(openWindows<TfrmReportPreview>().first()).contains(trainees.value(0, "F_code").toString()));
        openWindows<TfrmReportPreview>().first()->close();

        list->setCurrentRow(0);
        button(manager, "btnDesign")->click();
        QCOMPARE(openWindows<TfrmReportDesign>().size(), 1);
        QVERIFY(report.fileName().endsWith(ReportTemplates::traineeDetail + Report::templateExtension()));
        QVERIFY(messages->messages.isEmpty());
    }

    void designerSavesANewTemplateUnderAChosenName() {
        ScriptedMessageService::Scope messages;
        Report report;
        const ReportSource staff = query(dm(), "rows", "select * from EmpList order by F_code");
        TfrmReportDesign* designer = ReportCommands::design(dm(), report, "frMissing", staff, nullptr);
        QVERIFY(designer && designer->isVisible());
        auto* source = designer->findChild<QPlainTextEdit*>("edtSource");
        QCOMPARE(source->toPlainText(), QString());

        // A double-click on a field inserts it; the live preview follows the typing.
        auto* fields = designer->findChild<QTreeWidget*>("tvFields");
        const auto items = fields->findItems("F_name", Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY(!items.isEmpty());
        source->setPlainText("<h1>员工</h1>");
        source->moveCursor(QTextCursor::End);
        emit fields->itemDoubleClicked(items.first(), 0);
        QCOMPARE(source->toPlainText(), QString("<h1>员工</h1>{{frxDM.F_name}}"));
        QTRY_VERIFY(designer->findChild<QTextBrowser*>("txtPreview")->toPlainText().contains(staff.value(0, "F_name").toString()));

        messages->files.enqueue(home->path("Qr/frMine"));
        button(designer, "btnSave")->click();
        QCOMPARE(messages->lastStartDir, dm().home().reportDir() + "/新报表.vrpt");
        const QString saved = home->path("Qr/frMine.vrpt");
        Report reopened;
        QVERIFY(reopened.loadFromFile(saved));
        QCOMPARE(reopened.templateText(), QString("<h1>员工</h1>{{frxDM.F_name}}"));
        QCOMPARE(report.fileName(), saved);

        // Once named, saving again writes the same file without asking.
        source->appendPlainText("<p>第二行</p>");
        button(designer, "btnSave")->click();
        QVERIFY(reopened.loadFromFile(saved));
        QVERIFY(reopened.templateText().endsWith("<p>第二行</p>"));
        QVERIFY(messages->files.isEmpty() && messages->messages.isEmpty());
    }

    void designerAsksAboutUnsavedChangesOnClose() {
        ScriptedMessageService::Scope messages;
        Report report;
        const QString path = Report::templatePath(dm().home(), ReportTemplates::staffList);
        const ReportSource staff = query(dm(), "rows", "select * from EmpList");
        TfrmReportDesign* designer = ReportCommands::design(dm(), report, ReportTemplates::staffList, staff, nullptr);
        Report original;
        QVERIFY(original.loadFromFile(path));

        // Unchanged: closes without a question.
        button(designer, "btnClose")->click();
        QVERIFY(!designer->isVisible());

        designer = ReportCommands::design(dm(), report, ReportTemplates::staffList, staff, nullptr);
        designer->findChild<QPlainTextEdit*>("edtSource")->appendPlainText("<p>改动一</p>");
        messages->answers.enqueue(MessageService::No);
        button(designer, "btnClose")->click();
        QCOMPARE(messages->texts_of(1), QStringList{"报表模板已修改，是否保存？"});
        QVERIFY(!designer->isVisible());
        Report check;
        QVERIFY(check.loadFromFile(path));
        QCOMPARE(check.templateText(), original.templateText());

        designer = ReportCommands::design(dm(), report, ReportTemplates::staffList, staff, nullptr);
        designer->findChild<QPlainTextEdit*>("edtSource")->appendPlainText("<p>改动二</p>");
        messages->answers.enqueue(MessageService::Yes);
        QTest::keyClick(designer, Qt::Key_Escape);
        QVERIFY(!designer->isVisible());
        QVERIFY(check.loadFromFile(path));
        QVERIFY(check.templateText().endsWith("<p>改动二</p>"));

        // A new template whose name prompt is cancelled stays open with its changes.
        designer = ReportCommands::design(dm(), report, "frNew", staff, nullptr);
        designer->findChild<QPlainTextEdit*>("edtSource")->insertPlainText("x");
        messages->answers.enqueue(MessageService::Yes);
        messages->files.enqueue(QString());
        button(designer, "btnClose")->click();
        QVERIFY(designer->isVisible());
    }
};

QTEST_MAIN(TestReportWindows)
#include "tst_reportwindows.moc"
