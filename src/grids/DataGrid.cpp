#include "DataGrid.h"

#include <QHeaderView>
#include <QSqlQuery>
#include <QTableView>
#include <QVBoxLayout>

#include "DataDm.h"
#include "GridFooter.h"

DataGrid::DataGrid(QWidget* parent) : QWidget(parent), model_(new ResultModel(this)), view_(new QTableView(this)) {
    view_->setObjectName(QStringLiteral("gridView"));
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setWordWrap(false);
    view_->verticalHeader()->hide();
    // Fixed row heights keep a grid of 100,000 rows as quick as a short one.
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    QHeaderView* header = view_->horizontalHeader();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setHighlightSections(false);

    footer_ = new GridFooter(view_, model_, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view_);
    layout->addWidget(footer_);

    connect(header, &QHeaderView::sectionClicked, this, [this](int section) {
        if (titleSort_) titleClicked(section);
    });
    connect(view_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { Q_EMIT rowDoubleClicked(index.row()); });
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { Q_EMIT currentRowChanged(current.isValid() ? current.row() : -1); });
}

void DataGrid::applyColumns(const GridColumns& columns) {
    model_->setColumns(columns);
    QHeaderView* header = view_->horizontalHeader();
    for (int i = 0; i < columns.size(); ++i) {
        // The header keeps sections the user dragged where they were; the new
        // columns come in screen order already.
        if (header->visualIndex(i) != i) header->moveSection(header->visualIndex(i), i);
        header->resizeSection(i, columns[i].width);
        header->setSectionHidden(i, !columns[i].visible);
    }
}

void DataGrid::setColumns(const GridColumns& columns) {
    applyColumns(columns);
    sortText_.clear();
    afterLoad();
}

GridColumns DataGrid::columns() const {
    const QHeaderView* header = view_->horizontalHeader();
    const GridColumns& logical = model_->columns();
    GridColumns ordered;
    for (int visual = 0; visual < logical.size(); ++visual) {
        const int section = header->logicalIndex(visual);
        GridColumn c = logical[section];
        c.visible = !header->isSectionHidden(section);
        // A hidden section reports no size; it keeps the width it had.
        if (c.visible) c.width = header->sectionSize(section);
        ordered.append(c);
    }
    return ordered;
}

void DataGrid::setColumnVisible(int screenPosition, bool visible) {
    view_->horizontalHeader()->setSectionHidden(view_->horizontalHeader()->logicalIndex(screenPosition), !visible);
    footer_->update();
}

bool DataGrid::open(TdmData& dm, const QString& sql, const QVariantList& params) {
    const QString key = cacheSize_ > 0 ? cacheKey(dm, sql, params) : QString();
    if (!key.isEmpty()) {
        const auto hit = std::find_if(cache_.begin(), cache_.end(), [&](const CachedResult& c) { return c.key == key; });
        if (hit != cache_.end()) {
            std::shared_ptr<ResultModel::Rows> rows = std::move(hit->rows);
            cache_.erase(hit);
            keepCurrentRows();
            const GridColumns keep = columns();
            model_->restoreRows(std::move(rows));
            applyColumns(keep);
            currentKey_ = key;
            sortText_.clear();
            afterLoad();
            return true;
        }
    }
    QSqlQuery query;
    if (!dm.OpenSQL(query, sql, params)) {
        close();
        return false;
    }
    keepCurrentRows();
    load(query);
    currentKey_ = key;
    return true;
}

void DataGrid::setResultCache(int entries) {
    cacheSize_ = entries;
    cache_.clear();
    currentKey_.clear();
}

QString DataGrid::cacheKey(TdmData& dm, const QString& sql, const QVariantList& params) const {
    const QString stamp = dm.changeStamp();
    if (stamp.isEmpty()) return {};
    QString key = stamp + u'\x1f' + sql;
    for (const QVariant& p : params) key += u'\x1f' + QString::number(p.typeId()) + u':' + p.toString();
    return key;
}

void DataGrid::keepCurrentRows() {
    if (cacheSize_ <= 0 || currentKey_.isEmpty()) return;
    cache_.push_back({currentKey_, model_->takeRows()});
    currentKey_.clear();
    if (int(cache_.size()) > cacheSize_) cache_.erase(cache_.begin());
}

void DataGrid::load(QSqlQuery& query) {
    currentKey_.clear();
    GridColumns keep = columns();
    model_->load(query);
    // A grid nobody described shows every field of its query under the field's name.
    if (keep.isEmpty())
        for (int f = 0; f < model_->fieldCount(); ++f)
            keep.append(GridColumn::forField(model_->fieldName(f), model_->fieldName(f)));
    applyColumns(keep);
    sortText_.clear();
    afterLoad();
}

void DataGrid::close() {
    currentKey_.clear();
    const GridColumns keep = columns();
    model_->clear();
    applyColumns(keep);
    sortText_.clear();
    afterLoad();
}

void DataGrid::afterLoad() {
    if (model_->rowCount() > 0)
        setCurrentRow(0);
    else
        Q_EMIT currentRowChanged(-1);
}

int DataGrid::rowCount() const { return model_->rowCount(); }

int DataGrid::currentRow() const {
    const QModelIndex current = view_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void DataGrid::setCurrentRow(int row) {
    if (row < 0 || row >= model_->rowCount()) return;
    int column = 0;
    while (column < model_->columnCount() - 1 && view_->isColumnHidden(column)) ++column;
    const QModelIndex index = model_->index(row, column);
    if (!index.isValid()) {
        Q_EMIT currentRowChanged(row);  // a grid without columns still has a current record
        return;
    }
    view_->setCurrentIndex(index);
    view_->scrollTo(index);
}

QVariant DataGrid::value(const QString& field) const { return model_->value(currentRow(), field); }

QVariant DataGrid::value(int row, const QString& field) const { return model_->value(row, field); }

bool DataGrid::locate(const QString& field, const QVariant& value) {
    const int f = model_->fieldIndex(field);
    if (f < 0) return false;
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (model_->value(row, f) == value) {
            setCurrentRow(row);
            return true;
        }
    }
    return false;
}

void DataGrid::titleClicked(int column) {
    if (column < 0 || column >= model_->columnCount()) return;
    const int mark = model_->sortMark(column) == 1 ? 2 : 1;
    for (int c = 0; c < model_->columnCount(); ++c) model_->setSortMark(c, c == column ? mark : 0);
    const GridColumn& c = model_->columns()[column];
    if (c.memo) return;
    const QString text = c.fieldName + (mark == 1 ? QStringLiteral(" ASC") : QStringLiteral(" DESC"));
    if (model_->sortBy(SortText::parse(text))) sortText_ = text;
}

bool DataGrid::setSortText(const QString& text) {
    bool ok = false;
    const QList<SortText::Key> keys = SortText::parse(text, &ok);
    if (!ok || !model_->sortBy(keys)) return false;
    sortText_ = text;
    for (int c = 0; c < model_->columnCount(); ++c) {
        int mark = 0;
        for (const SortText::Key& key : keys) {
            if (key.field.compare(model_->columns()[c].fieldName, Qt::CaseInsensitive) == 0) {
                mark = key.descending ? 2 : 1;
                break;
            }
        }
        model_->setSortMark(c, mark);
    }
    return true;
}

void DataGrid::setRowRule(ResultModel::RowRule rule) { model_->setRowRule(std::move(rule)); }

void DataGrid::setFooterVisible(bool visible) { footer_->setVisible(visible); }

QString DataGrid::footerText(int column) const {
    const GridColumns& columns = model_->columns();
    return column >= 0 && column < columns.size() ? model_->footerText(columns[column]) : QString();
}
