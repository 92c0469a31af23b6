#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

struct SqlCondition;
class TdmData;

// A statement with its bound values.
struct SqlStatement {
    QString sql;
    QVariantList params;
};

// What narrows the main trainee list: the search bar, the finished switch, the
// payment-state radio group and the navigation list.
struct TraineeFilter {
    int searchField = -1;                     // entry of the field box, -1 none chosen
    QString searchText;
    bool includeFinished = false;             // "包含已通过"
    int paymentState = 0;                     // 0 all, 1 未付清, 2 已付清, 3 其  他
    int navigationType = 0;                   // entry of the type box, -1 none
    std::optional<QString> navigationValue;   // nullopt: the "全部" row
};

namespace TraineeQuery {

// Field box entries and the columns they search, in the box's order.
const QStringList& searchFieldCaptions();
QString searchFieldColumn(int entry);

// Navigation types: type box captions, list titles, fill statements and filter columns.
const QStringList& navigationCaptions();
QString navigationFillSql(int type);
QString navigationColumn(int type);

// The LIKE pattern that finds the text anywhere, with %, _ and the escape character
// taken literally (used with "escape '\'").
QString containsPattern(const QString& text);

// The main list's statement: every trainee column but the photo, within the
// operator's scope, narrowed by the filter, ordered by file number.
SqlStatement build(const QString& selectList, const TraineeFilter& filter, const SqlCondition& scope);

// The navigation list's rows for a type: key 0 "全部", then 1, 2, ... per name
// in the order the names come.
QString navigationListSql(int type);

// Deletes a trainee with its make-up exam and reminder records, in one
// transaction; payments stay (the payment list still shows them). All trainee
// rows sharing the link number go. False on failure, nothing changed.
bool deleteTrainee(TdmData& dm, qint64 mainId);

}  // namespace TraineeQuery
