// The main window's trainee list as the office uses it: typing a name into the
// search box (each keystroke runs the trainee query and refreshes the grid, the
// count line and the detail panes) and clicking in the navigation list.
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>

#include "BenchSupport.h"
#include "CurrentOperator.h"
#include "DataDm.h"
#include "DataGrid.h"
#include "FrmMain.h"

namespace {

// The statement as the sqlite3 shell takes it: numbered parameters set with .parameter.
QString shellScript(const SqlStatement& s) {
    QString script;
    QString sql = s.sql;
    int n = 0;
    static const QRegularExpression placeholder(QStringLiteral("\\?(?!\\d)"));
    while (sql.contains(placeholder)) sql.replace(sql.indexOf(placeholder), 1, QStringLiteral("?%1").arg(++n));
    for (int i = 0; i < s.params.size(); ++i) {
        QString value = s.params[i].toString();
        value.replace(u'\'', QStringLiteral("''"));
        script += QStringLiteral(".parameter set ?%1 \"'%2'\"\n").arg(i + 1).arg(value);
    }
    return script + sql + u';';
}

}  // namespace

int runMainListCase(const BenchContext& ctx) {
    // A program home whose config points at the benchmark's database.
    const QString homeDir = ctx.scratchDir + QStringLiteral("/mainlist-home");
    QDir().mkpath(homeDir);
    TdmData dm{AppHome(homeDir)};
    dm.config().writeString(QStringLiteral("config"), QStringLiteral("ds"), QFileInfo(ctx.dbPath).absolutePath() + u'/');
    QString error;
    if (!dm.open(&error)) return fail(error);
    OperatorValues admin;
    admin.name = QStringLiteral("admin");
    setCurrentOperator(admin);

    TFrmMain window(dm);
    window.SetLimits();
    const double showMs = millisecondsOf([&] { window.show(); });
    report("mainlist.first_query_ms", showMs, "ms");
    report("mainlist.default_rows", window.traineeGrid()->rowCount(), "rows");

    auto* field = window.findChild<QComboBox*>(QStringLiteral("cbbSearchField"));
    auto* text = window.findChild<QLineEdit*>(QStringLiteral("edtSearchText"));
    field->setCurrentIndex(0);
    std::vector<double> key1, key2, clear, again, clearAgain, nav, shell1, shell2;
    SqlStatement first, second;
    int rows1 = 0, rows2 = 0, navRows = 0;
    DataGrid* grid = window.traineeGrid();
    const auto forget = [grid] { grid->setResultCache(3); };
    for (int run = 0; run < ctx.runs; ++run) {
        // New text is read from the database every time.
        forget();
        key1.push_back(millisecondsOf([&] { text->insert(QStringLiteral("王")); }));
        first = window.traineeStatement();
        rows1 = grid->rowCount();
        key2.push_back(millisecondsOf([&] { text->insert(QStringLiteral("小")); }));
        second = window.traineeStatement();
        rows2 = grid->rowCount();
        // Deleting the text brings back the whole unfinished list.
        clear.push_back(millisecondsOf([&] { text->clear(); }));
        // Typing the same again, and deleting it again, finds the lists kept.
        again.push_back(millisecondsOf([&] { text->insert(QStringLiteral("王")); }));
        clearAgain.push_back(millisecondsOf([&] { text->clear(); }));
    }
    field->setCurrentIndex(-1);
    DataGrid* navList = window.findChild<DataGrid*>(QStringLiteral("gridNav"));
    for (int run = 0; run < ctx.runs; ++run) {
        forget();
        nav.push_back(millisecondsOf([&] { navList->setCurrentRow(6); }));
        navRows = grid->rowCount();
        navList->setCurrentRow(0);
    }
    for (int run = 0; run < ctx.runs; ++run) {
        shell1.push_back(sqliteShellMs(ctx, shellScript(first)));
        shell2.push_back(sqliteShellMs(ctx, shellScript(second)));
    }
    report("mainlist.wang_rows", rows1, "rows");
    report("mainlist.wangxiao_rows", rows2, "rows");
    report("mainlist.keystroke_wang_ms", median(key1), "ms");
    report("mainlist.keystroke_wangxiao_ms", median(key2), "ms");
    report("mainlist.clear_search_ms", median(clear), "ms");
    report("mainlist.keystroke_wang_kept_ms", median(again), "ms");
    report("mainlist.clear_search_kept_ms", median(clearAgain), "ms");
    report("mainlist.navigation_click_ms", median(nav), "ms");
    report("mainlist.navigation_rows", navRows, "rows");
    report("sqlite3.keystroke_wang_ms", median(shell1), "ms");
    report("sqlite3.keystroke_wangxiao_ms", median(shell2), "ms");
    report("mainlist.keystroke_wang_vs_sqlite3", median(key1) / std::max(0.001, median(shell1)), "ratio");
    report("mainlist.keystroke_wangxiao_vs_sqlite3", median(key2) / std::max(0.001, median(shell2)), "ratio");
    return 0;
}
