#pragma once

#include <QString>
#include <QVariant>

// How stored values are shown in grids, reports and exports: one set of rules
// so that a value looks the same wherever it appears.
namespace DisplayRules {

// The stored text of an optional date that is not set.
inline constexpr const char* noDateText = "1900-08-14";

// True for an empty date and for any date whose yyyy-MM-dd text sorts before 1901-08-14.
bool isNoDate(const QVariant& value);
// The date as yyyy-MM-dd, or the empty text for a no-date.
QString dateText(const QVariant& value);
// Payment state: 0 未付清, 1 已付清, anything else (NULL included) 其  他.
QString paymentStateText(const QVariant& value);
// A Yes/No column; NULL reads as false.
bool yesNo(const QVariant& value);
// A number written with a display format such as "0.00", "0.##" or "￥,0.00#":
// literal text before and after the digits, "," for thousands, "0" a digit
// always written, "#" a digit written only when not a trailing zero. An empty
// format writes the number plainly.
QString formatNumber(double value, const QString& format);

}  // namespace DisplayRules

// Picture format from a file name: 1 .bmp, 2 .jpg/.jpeg, 3 .gif, 0 anything else.
int ImageTypeOfFile(const QString& fileName);
