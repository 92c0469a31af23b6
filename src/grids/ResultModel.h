#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QHash>
#include <functional>
#include <memory>
#include <vector>

#include "GridColumn.h"
#include "SortText.h"

class QSqlQuery;

// The rows of one query, loaded once and kept in memory, shown through a list of
// grid columns. Sorting reorders the loaded rows without asking the database
// again; an empty sort restores the loaded order; a new load replaces the rows.
//
// A school's trainee list reaches 100,000 rows of some 40 columns, so values are
// not kept as one QVariant per cell: each field keeps a pool of its distinct
// values (numbers as 8 bytes, texts as UTF-8 in one buffer) and one 32-bit pool
// index per row.
class ResultModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The values of one loaded row, for row rules.
    struct RowValues {
        const ResultModel& model;
        int loadedRow;
        QVariant value(const QString& field) const;
    };
    using RowRule = std::function<bool(const RowValues&)>;

    explicit ResultModel(QObject* parent = nullptr);

    // Reads the rows of an executed query to its end, from its current row when
    // it is on one; the previous rows are replaced.
    void load(QSqlQuery& query);
    // No fields and no rows, as a closed query.
    void clear();

    // The loaded rows handed out and back whole, so a grid can keep a result it
    // may show again without reading it anew.
    struct Rows;
    std::shared_ptr<Rows> takeRows();
    void restoreRows(std::shared_ptr<Rows> rows);

    void setColumns(const GridColumns& columns);
    const GridColumns& columns() const { return columns_; }
    // Sort marks of the titles: 0 none, 1 ascending, 2 descending.
    void setSortMark(int column, int mark);
    int sortMark(int column) const;

    int fieldCount() const { return int(fields_.size()); }
    QString fieldName(int field) const { return fields_[size_t(field)].name; }
    // Index of the field, matched without regard to case; -1 when the query has none.
    int fieldIndex(const QString& name) const;

    // Rows in the current order.
    QVariant value(int row, int field) const;
    QVariant value(int row, const QString& field) const;
    // The cell as the grid shows it (display rules and the column's format).
    QString displayText(int row, const GridColumn& column) const;
    int loadedRow(int row) const { return int(order_[size_t(row)]); }
    // Current position of a loaded row, -1 when out of range.
    int rowOfLoaded(int loadedRow) const;

    // Reorders the rows stably by the keys; no keys restore the loaded order.
    // False (and the order unchanged) when a key names no field of the query.
    bool sortBy(const QList<SortText::Key>& keys);

    // Rows for which the rule holds are drawn red on the button-face grey.
    void setRowRule(RowRule rule);
    bool isMarked(int row) const;

    double sum(int field) const;
    QString footerText(const GridColumn& column) const;

    // Bytes held for the loaded rows (values, pools, order).
    qint64 memoryBytes() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    enum Type : quint8 { Null, Integer, Real, Text, Blob };
    struct Field {
        QString name;
        std::vector<quint32> ids;      // per loaded row: index into the pool
        std::vector<quint8> types;     // pool: type of each distinct value
        std::vector<qint64> payload;   // pool: integer, double bits, or text offset and length
        QByteArray bytes;              // pool: UTF-8 of texts and bytes of blobs
        mutable std::vector<quint32> rank;  // pool: sort rank, built on first sort
    };
    class Loader;

    QVariant poolValue(const Field& f, quint32 id) const;
    void buildRank(const Field& f) const;
    void updateColumnFields();
    void updateMarks();

    std::vector<Field> fields_;
    QHash<QString, int> fieldByName_;  // lower-cased names
    std::vector<quint32> order_;       // current position -> loaded row
    std::vector<bool> marked_;         // per loaded row
    GridColumns columns_;
    std::vector<int> columnField_;     // grid column -> field, -1 when missing
    std::vector<int> marks_;
    RowRule rowRule_;
};
