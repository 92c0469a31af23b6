#include "ResultModel.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>
#include <QSqlQuery>
#include <QSqlDriver>
#include <QSqlRecord>
#include <QSqlResult>
#include <algorithm>
#include <bit>
#include <cstring>
#include <numeric>
#include <sqlite3.h>

#include "DisplayRules.h"

namespace {

constexpr int kLengthShift = 40;
constexpr qint64 kOffsetMask = (qint64(1) << kLengthShift) - 1;

// A text written yyyy-MM-dd... is a date; such texts follow the no-date rule.
bool looksLikeDate(const QString& text) {
    if (text.size() < 10 || text[4] != u'-' || text[7] != u'-') return false;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!text[i].isDigit()) return false;
    return true;
}

// The database's NOCASE order: bytes of UTF-8, ASCII letters folded.
int compareNoCase(const char* a, qint64 na, const char* b, qint64 nb) {
    const qint64 n = std::min(na, nb);
    for (qint64 i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'A' && ca <= 'Z') ca += 32;
        if (cb >= 'A' && cb <= 'Z') cb += 32;
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

template <typename T>
qint64 bytesOf(const std::vector<T>& v) {
    return qint64(v.capacity() * sizeof(T));
}

// The statement under an executed SQLite query nobody has read from yet.
sqlite3_stmt* freshSqliteStatement(const QSqlQuery& query) {
    if (!query.isActive() || !query.isSelect() || query.at() != QSql::BeforeFirstRow || !query.driver() ||
        query.driver()->dbmsType() != QSqlDriver::SQLite || !query.result())
        return nullptr;
    const QVariant handle = query.result()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3_stmt*") != 0) return nullptr;
    return *static_cast<sqlite3_stmt* const*>(handle.constData());
}

}  // namespace

// Interns the values of one field while the rows arrive. A field whose values are
// mostly distinct (names, identity numbers) stops interning early: the lookups
// would cost time and save nothing.
class ResultModel::Loader {
public:
    explicit Loader(Field& f) : f_(f) {}

    void add(const QVariant& v) {
        count();
        f_.ids.push_back(idOf(v));
    }

    // One cell straight from an SQLite statement, without a QVariant between.
    void add(sqlite3_stmt* stmt, int column) {
        count();
        switch (sqlite3_column_type(stmt, column)) {
        case SQLITE_INTEGER:
            f_.ids.push_back(number(Integer, sqlite3_column_int64(stmt, column)));
            break;
        case SQLITE_FLOAT:
            f_.ids.push_back(number(Real, std::bit_cast<qint64>(sqlite3_column_double(stmt, column))));
            break;
        case SQLITE_TEXT: {
            const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
            f_.ids.push_back(bytes(Text, QByteArray::fromRawData(text, sqlite3_column_bytes(stmt, column))));
            break;
        }
        case SQLITE_BLOB: {
            const char* blob = static_cast<const char*>(sqlite3_column_blob(stmt, column));
            f_.ids.push_back(bytes(Blob, QByteArray::fromRawData(blob, sqlite3_column_bytes(stmt, column))));
            break;
        }
        default:
            f_.ids.push_back(nullId());
        }
    }

private:
    void count() {
        ++seen_;
        if (interning_ && seen_ == 512 && f_.types.size() * 2 > seen_) {
            interning_ = false;
            texts_.clear();
            numbers_.clear();
        }
    }

    quint32 idOf(const QVariant& v) {
        if (v.isNull()) return nullId();
        switch (v.typeId()) {
        case QMetaType::LongLong:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
            return number(Integer, v.toLongLong());
        case QMetaType::Double:
            return number(Real, std::bit_cast<qint64>(v.toDouble()));
        case QMetaType::QByteArray:
            return bytes(Blob, v.toByteArray());
        default:
            return bytes(Text, v.toString().toUtf8());
        }
    }

    quint32 nullId() {
        if (nullId_ == UINT32_MAX) nullId_ = append(Null, 0);
        return nullId_;
    }

    quint32 number(Type type, qint64 bits) {
        if (!interning_) return append(type, bits);
        const quint64 key = (quint64(bits) ^ (type == Real ? 0x9e3779b97f4a7c15ULL : 0));
        auto it = numbers_.constFind(key);
        if (it != numbers_.cend() && f_.types[*it] == type && f_.payload[*it] == bits) return *it;
        const quint32 id = append(type, bits);
        numbers_.insert(key, id);
        return id;
    }

    quint32 bytes(Type type, const QByteArray& data) {
        if (interning_ && type == Text) {
            auto it = texts_.constFind(data);
            if (it != texts_.cend()) return *it;
        }
        const qint64 offset = f_.bytes.size();
        f_.bytes.append(data.constData(), data.size());
        const quint32 id = append(type, offset | (qint64(data.size()) << kLengthShift));
        // The data may be borrowed from the statement; the key needs its own copy.
        if (interning_ && type == Text) texts_.insert(QByteArray(data.constData(), data.size()), id);
        return id;
    }

    quint32 append(Type type, qint64 payload) {
        f_.types.push_back(type);
        f_.payload.push_back(payload);
        return quint32(f_.types.size() - 1);
    }

    Field& f_;
    size_t seen_ = 0;
    bool interning_ = true;
    quint32 nullId_ = UINT32_MAX;
    QHash<QByteArray, quint32> texts_;
    QHash<quint64, quint32> numbers_;
};

QVariant ResultModel::RowValues::value(const QString& field) const {
    const int f = model.fieldIndex(field);
    if (f < 0) return {};
    const Field& fd = model.fields_[size_t(f)];
    return model.poolValue(fd, fd.ids[size_t(loadedRow)]);
}

ResultModel::ResultModel(QObject* parent) : QAbstractTableModel(parent) {}

void ResultModel::load(QSqlQuery& query) {
    beginResetModel();
    fields_.clear();
    fieldByName_.clear();
    const QSqlRecord record = query.record();
    fields_.resize(size_t(record.count()));
    for (int i = 0; i < record.count(); ++i) {
        fields_[size_t(i)].name = record.fieldName(i);
        fieldByName_.insert(record.fieldName(i).toLower(), i);
    }
    {
        std::vector<Loader> loaders;
        loaders.reserve(fields_.size());
        for (Field& f : fields_) loaders.emplace_back(f);
        const int n = int(fields_.size());
        if (sqlite3_stmt* stmt = freshSqliteStatement(query)) {
            // Qt's driver has stepped onto the first row already (it reads it
            // ahead); from there the rows are read directly, which spares a
            // QString and a QVariant per cell and halves the time of a long list.
            for (int rc = sqlite3_stmt_busy(stmt) ? SQLITE_ROW : SQLITE_DONE; rc == SQLITE_ROW; rc = sqlite3_step(stmt))
                for (int i = 0; i < n; ++i) loaders[size_t(i)].add(stmt, i);
            query.finish();
        } else {
            // A query already on a row loads from that row on.
            for (bool row = query.isValid() || query.next(); row; row = query.next())
                for (int i = 0; i < n; ++i) loaders[size_t(i)].add(query.value(i));
        }
    }
    for (Field& f : fields_) {
        f.ids.shrink_to_fit();
        f.types.shrink_to_fit();
        f.payload.shrink_to_fit();
        f.bytes.squeeze();
    }
    const size_t rows = fields_.empty() ? 0 : fields_[0].ids.size();
    order_.resize(rows);
    order_.shrink_to_fit();
    std::iota(order_.begin(), order_.end(), 0u);
    updateColumnFields();
    updateMarks();
    endResetModel();
}

struct ResultModel::Rows {
    std::vector<Field> fields;
    QHash<QString, int> fieldByName;
};

std::shared_ptr<ResultModel::Rows> ResultModel::takeRows() {
    auto rows = std::make_shared<Rows>();
    rows->fields = std::move(fields_);
    rows->fieldByName = std::move(fieldByName_);
    clear();
    return rows;
}

void ResultModel::restoreRows(std::shared_ptr<Rows> rows) {
    beginResetModel();
    fields_ = std::move(rows->fields);
    fieldByName_ = std::move(rows->fieldByName);
    order_.resize(fields_.empty() ? 0 : fields_[0].ids.size());
    std::iota(order_.begin(), order_.end(), 0u);
    updateColumnFields();
    updateMarks();
    endResetModel();
}

void ResultModel::clear() {
    beginResetModel();
    fields_.clear();
    fieldByName_.clear();
    order_.clear();
    marked_.clear();
    updateColumnFields();
    endResetModel();
}

void ResultModel::setColumns(const GridColumns& columns) {
    beginResetModel();
    columns_ = columns;
    marks_.assign(size_t(columns.size()), 0);
    updateColumnFields();
    endResetModel();
}

void ResultModel::setSortMark(int column, int mark) {
    if (column < 0 || column >= int(marks_.size()) || marks_[size_t(column)] == mark) return;
    marks_[size_t(column)] = mark;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

int ResultModel::sortMark(int column) const {
    return column >= 0 && column < int(marks_.size()) ? marks_[size_t(column)] : 0;
}

int ResultModel::fieldIndex(const QString& name) const { return fieldByName_.value(name.toLower(), -1); }

QVariant ResultModel::poolValue(const Field& f, quint32 id) const {
    const qint64 p = f.payload[id];
    switch (f.types[id]) {
    case Integer:
        return QVariant(qlonglong(p));
    case Real:
        return QVariant(std::bit_cast<double>(p));
    case Text:
        return QVariant(QString::fromUtf8(f.bytes.constData() + (p & kOffsetMask), p >> kLengthShift));
    case Blob:
        return QVariant(QByteArray(f.bytes.constData() + (p & kOffsetMask), p >> kLengthShift));
    default:
        return {};
    }
}

QVariant ResultModel::value(int row, int field) const {
    if (row < 0 || row >= int(order_.size()) || field < 0 || field >= int(fields_.size())) return {};
    const Field& f = fields_[size_t(field)];
    return poolValue(f, f.ids[order_[size_t(row)]]);
}

QVariant ResultModel::value(int row, const QString& field) const { return value(row, fieldIndex(field)); }

QString ResultModel::displayText(int row, const GridColumn& column) const {
    const QVariant v = value(row, fieldIndex(column.fieldName));
    if (column.kind == ColumnKind::PaymentState) return DisplayRules::paymentStateText(v);
    if (column.kind == ColumnKind::YesNo || v.isNull()) return {};
    if (v.typeId() == QMetaType::QString) {
        const QString text = v.toString();
        // Stamps keep their time; only the no-date rule applies to them.
        return looksLikeDate(text) && DisplayRules::isNoDate(text) ? QString() : text;
    }
    if (v.typeId() == QMetaType::QByteArray) return {};
    if (column.displayFormat.isEmpty() && v.typeId() == QMetaType::LongLong) return QString::number(v.toLongLong());
    return DisplayRules::formatNumber(v.toDouble(), column.displayFormat);
}

int ResultModel::rowOfLoaded(int loadedRow) const {
    const auto it = std::find(order_.begin(), order_.end(), quint32(loadedRow));
    return it == order_.end() ? -1 : int(it - order_.begin());
}

void ResultModel::buildRank(const Field& f) const {
    if (f.rank.size() == f.types.size()) return;
    std::vector<quint32> pool(f.types.size());
    std::iota(pool.begin(), pool.end(), 0u);
    // NULL first, then numbers by value, then texts, then blobs, as the database orders them.
    const auto group = [&f](quint32 id) { return f.types[id] == Real ? int(Integer) : int(f.types[id]); };
    const auto number = [&f](quint32 id) {
        return f.types[id] == Real ? std::bit_cast<double>(f.payload[id]) : double(f.payload[id]);
    };
    const auto compare = [&](quint32 a, quint32 b) {
        const int ga = group(a), gb = group(b);
        if (ga != gb) return ga < gb ? -1 : 1;
        if (ga == Null) return 0;
        if (ga == Integer) {
            if (f.types[a] == Integer && f.types[b] == Integer)
                return f.payload[a] == f.payload[b] ? 0 : (f.payload[a] < f.payload[b] ? -1 : 1);
            const double x = number(a), y = number(b);
            return x == y ? 0 : (x < y ? -1 : 1);
        }
        const char* base = f.bytes.constData();
        const qint64 pa = f.payload[a], pb = f.payload[b];
        return compareNoCase(base + (pa & kOffsetMask), pa >> kLengthShift, base + (pb & kOffsetMask),
                             pb >> kLengthShift);
    };
    std::sort(pool.begin(), pool.end(), [&](quint32 a, quint32 b) { return compare(a, b) < 0; });
    f.rank.assign(pool.size(), 0);
    quint32 rank = 0;
    for (size_t i = 0; i < pool.size(); ++i) {
        if (i > 0 && compare(pool[i - 1], pool[i]) != 0) ++rank;
        f.rank[pool[i]] = rank;
    }
}

bool ResultModel::sortBy(const QList<SortText::Key>& keys) {
    struct Resolved {
        const Field* field;
        bool descending;
    };
    std::vector<Resolved> resolved;
    for (const SortText::Key& key : keys) {
        const int f = fieldIndex(key.field);
        if (f < 0) return false;
        buildRank(fields_[size_t(f)]);
        resolved.push_back({&fields_[size_t(f)], key.descending});
    }
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<quint32> loadedBefore;
    for (const QModelIndex& index : before) loadedBefore.push_back(order_[size_t(index.row())]);

    std::iota(order_.begin(), order_.end(), 0u);
    if (!resolved.empty()) {
        std::stable_sort(order_.begin(), order_.end(), [&resolved](quint32 a, quint32 b) {
            for (const Resolved& r : resolved) {
                const quint32 ra = r.field->rank[r.field->ids[a]], rb = r.field->rank[r.field->ids[b]];
                if (ra != rb) return r.descending ? ra > rb : ra < rb;
            }
            return false;
        });
    }
    std::vector<quint32> position(order_.size());
    for (size_t i = 0; i < order_.size(); ++i) position[order_[i]] = quint32(i);
    QModelIndexList after;
    for (int i = 0; i < before.size(); ++i)
        after.append(index(int(position[loadedBefore[size_t(i)]]), before[i].column()));
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    return true;
}

void ResultModel::setRowRule(RowRule rule) {
    rowRule_ = std::move(rule);
    updateMarks();
    if (!order_.empty()) Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void ResultModel::updateMarks() {
    marked_.assign(order_.size(), false);
    if (!rowRule_) return;
    for (size_t r = 0; r < marked_.size(); ++r) marked_[r] = rowRule_(RowValues{*this, int(r)});
}

bool ResultModel::isMarked(int row) const {
    return row >= 0 && row < int(order_.size()) && marked_[order_[size_t(row)]];
}

double ResultModel::sum(int field) const {
    if (field < 0 || field >= int(fields_.size())) return 0;
    const Field& f = fields_[size_t(field)];
    double total = 0;
    for (quint32 id : f.ids) {
        if (f.types[id] == Integer) total += double(f.payload[id]);
        else if (f.types[id] == Real) total += std::bit_cast<double>(f.payload[id]);
        else if (f.types[id] == Text) total += poolValue(f, id).toDouble();
    }
    return total;
}

QString ResultModel::footerText(const GridColumn& column) const {
    if (column.footerType == GridColumn::StaticText) return column.footerValue;
    if (column.footerType == GridColumn::Sum)
        return DisplayRules::formatNumber(sum(fieldIndex(column.fieldName)), column.displayFormat);
    return {};
}

qint64 ResultModel::memoryBytes() const {
    qint64 total = bytesOf(order_) + qint64(marked_.capacity() / 8);
    for (const Field& f : fields_)
        total += bytesOf(f.ids) + bytesOf(f.types) + bytesOf(f.payload) + f.bytes.capacity() + bytesOf(f.rank);
    return total;
}

void ResultModel::updateColumnFields() {
    columnField_.clear();
    for (const GridColumn& c : columns_) columnField_.push_back(fieldIndex(c.fieldName));
}

int ResultModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(order_.size()); }

int ResultModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(columns_.size()); }

QVariant ResultModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    const GridColumn& column = columns_[index.column()];
    switch (role) {
    case Qt::DisplayRole:
        return displayText(index.row(), column);
    case Qt::CheckStateRole:
        if (column.kind != ColumnKind::YesNo) return {};
        return DisplayRules::yesNo(value(index.row(), columnField_[size_t(index.column())])) ? Qt::Checked
                                                                                            : Qt::Unchecked;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(column.horizontalAlignment() | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        return isMarked(index.row()) ? QVariant(QBrush(Qt::red)) : QVariant();
    case Qt::BackgroundRole:
        return isMarked(index.row()) ? QVariant(QGuiApplication::palette().brush(QPalette::Button)) : QVariant();
    default:
        return {};
    }
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size()) return {};
    if (role == Qt::DisplayRole) {
        const int mark = sortMark(section);
        return columns_[section].caption + (mark == 1 ? QStringLiteral(" ▲") : mark == 2 ? QStringLiteral(" ▼") : "");
    }
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}
