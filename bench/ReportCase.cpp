// Printing: the main window's trainee list report of every unfinished trainee, to PDF.
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "BenchSupport.h"
#include "Report.h"
#include "ReportDocument.h"
#include "ReportTemplates.h"

int runReportCase(const BenchContext& ctx) {
    QStringList columns;
    const QSqlRecord record = ctx.db.record(QStringLiteral("T_employee"));
    for (int i = 0; i < record.count(); ++i)
        if (!ReportSource::isPictureColumn(record.fieldName(i))) columns.append(record.fieldName(i));
    QSqlQuery query(ctx.db);
    query.setForwardOnly(true);
    if (!query.prepare(QStringLiteral("select %1 from T_employee where F_useFlag = ? order by F_code")
                           .arg(columns.join(QStringLiteral(", ")))))
        return fail(query.lastError().text());
    query.addBindValue(0);
    if (!query.exec()) return fail(query.lastError().text());

    Report list;
    // The delivered template, not a school's edited copy.
    if (!list.loadFromFile(QStringLiteral(":/velmor/Qr/") + ReportTemplates::traineeList + Report::templateExtension()))
        return fail(QStringLiteral("no delivered trainee list template"));
    list.bind(ReportSource::fromQuery(QStringLiteral("frxMain"), query));
    list.setSchoolName(QStringLiteral("维尔摩驾校"));
    const int rows = int(list.source(QStringLiteral("frxMain"))->rows.size());

    std::vector<double> pdf;
    const QString path = ctx.scratchDir + QStringLiteral("/bench-report.pdf");
    for (int run = 0; run < std::min(ctx.runs, 3); ++run)
        pdf.push_back(millisecondsOf([&] {
            if (!ReportDocument(list.render()).exportPdf(path)) std::exit(fail(QStringLiteral("PDF not written")));
        }));
    report("report.trainee_list_rows", rows, "rows");
    report("report.trainee_list_pdf_ms", median(pdf), "ms");
    return 0;
}
