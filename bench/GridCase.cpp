// The shared grid: loading, sorting and exporting the whole trainee list.
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "BenchSupport.h"
#include "DataGrid.h"
#include "GridExport.h"

namespace {

// The main trainee list's statement: every column but the photo, by file number.
QString traineeQuery(QSqlDatabase db) {
    QStringList columns;
    const QSqlRecord record = db.record(QStringLiteral("T_employee"));
    for (int i = 0; i < record.count(); ++i)
        if (record.fieldName(i).compare(QLatin1String("F_empImage"), Qt::CaseInsensitive) != 0)
            columns.append(record.fieldName(i));
    return QStringLiteral("select %1 from T_employee order by F_code").arg(columns.join(QStringLiteral(", ")));
}

}  // namespace

int runGridCase(const BenchContext& ctx) {
    const QString sql = traineeQuery(ctx.db);
    DataGrid grid;
    std::vector<double> load, sortText, sortDate, exportMs, shell;
    qint64 before = residentBytes(), after = 0;
    for (int run = 0; run < ctx.runs; ++run) {
        grid.close();
        if (run == 0) before = residentBytes();
        load.push_back(millisecondsOf([&] {
            QSqlQuery query(ctx.db);
            query.setForwardOnly(true);
            if (!query.exec(sql)) std::exit(fail(query.lastError().text()));
            grid.load(query);
        }));
        if (run == 0) after = residentBytes();
        sortText.push_back(millisecondsOf([&] { grid.setSortText(QStringLiteral("F_name ASC")); }));
        sortDate.push_back(millisecondsOf([&] { grid.setSortText(QStringLiteral("F_BMdate DESC")); }));
    }
    const int rows = grid.rowCount();
    for (int run = 0; run < std::min(ctx.runs, 3); ++run) {
        const QString path = ctx.scratchDir + QStringLiteral("/bench.xlsx");
        QString error;
        exportMs.push_back(millisecondsOf([&] {
            if (!writeGridWorkbook(*grid.model(), grid.columns(), QStringLiteral("学员档案记录列表"), path, &error))
                std::exit(fail(error));
        }));
    }
    for (int run = 0; run < ctx.runs; ++run) shell.push_back(sqliteShellMs(ctx, sql));

    report("grid.rows", rows, "rows");
    report("grid.columns", grid.model()->fieldCount(), "columns");
    report("grid.load_ms", median(load), "ms");
    report("grid.sort_text_ms", median(sortText), "ms");
    report("grid.sort_date_ms", median(sortDate), "ms");
    report("grid.export_xlsx_ms", median(exportMs), "ms");
    report("grid.model_bytes_per_row", rows ? double(grid.model()->memoryBytes()) / rows : 0, "bytes");
    report("grid.rss_bytes_per_row", rows ? double(after - before) / rows : 0, "bytes");
    report("sqlite3.query_ms", median(shell), "ms");
    report("grid.load_vs_sqlite3", median(shell) > 0 ? median(load) / median(shell) : 0, "ratio");
    return 0;
}
