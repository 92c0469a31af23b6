#pragma once

#include <QWidget>

#include "GridColumn.h"
#include "ResultModel.h"

class QSqlQuery;
class QTableView;
class GridFooter;
class TdmData;

// The program's one data grid: read-only, whole-row selection, centred titles
// with sort marks, one footer row, and the rows of a query held in a ResultModel.
// A window declares its design columns with setColumns(); a stored layout
// (LoadGridLayout) replaces them.
class DataGrid : public QWidget {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);

    ResultModel* model() const { return model_; }
    QTableView* view() const { return view_; }

    // Replaces the columns; they appear in the given order.
    void setColumns(const GridColumns& columns);
    // The columns in screen order with their current widths and visibility.
    GridColumns columns() const;
    void setColumnVisible(int screenPosition, bool visible);

    // Runs the statement through the data module and loads its rows; on failure
    // (already reported by the data module) the grid is left empty.
    bool open(TdmData& dm, const QString& sql, const QVariantList& params = {});
    // Keeps the last `entries` results this grid showed: opening one of them again
    // while the database is unchanged shows the kept rows without reading them
    // anew (typing a search text and deleting it again). Off by default; setting
    // it forgets what was kept.
    void setResultCache(int entries);
    // Loads the rows of an executed query, replacing the previous rows.
    void load(QSqlQuery& query);
    void close();

    int rowCount() const;
    // The current row in the grid's order, -1 when there is none.
    int currentRow() const;
    void setCurrentRow(int row);
    QVariant value(const QString& field) const;  // of the current row
    QVariant value(int row, const QString& field) const;
    // Makes the first row whose field equals the value current; false when none does.
    bool locate(const QString& field, const QVariant& value);

    // Title clicks sort the rows; windows that offer it switch it on.
    void setTitleSortEnabled(bool on) { titleSort_ = on; }
    // The title-click rule: the mark goes to ascending, or from ascending to
    // descending, and the rows follow unless the column is a memo.
    void titleClicked(int column);
    // Applies a sort text (an empty text restores the loaded order). False when
    // the text names a field the query has not, which leaves the order as it was.
    bool setSortText(const QString& text);
    QString sortText() const { return sortText_; }

    void setRowRule(ResultModel::RowRule rule);
    void setFooterVisible(bool visible);
    // The footer of a column, counted in the order the columns were set.
    QString footerText(int column) const;

Q_SIGNALS:
    void currentRowChanged(int row);
    void rowDoubleClicked(int row);

private:
    void applyColumns(const GridColumns& columns);
    void afterLoad();

    ResultModel* model_;
    QTableView* view_;
    GridFooter* footer_;
    struct CachedResult {
        QString key;
        std::shared_ptr<ResultModel::Rows> rows;
    };
    QString cacheKey(TdmData& dm, const QString& sql, const QVariantList& params) const;
    void keepCurrentRows();

    bool titleSort_ = false;
    int cacheSize_ = 0;
    QString currentKey_;
    std::vector<CachedResult> cache_;
    QString sortText_;
};
