#include "DisplayRules.h"

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>

namespace DisplayRules {

namespace {

QString isoDate(const QVariant& value) {
    if (value.isNull()) return {};
    if (value.typeId() == QMetaType::QDate) return value.toDate().toString(Qt::ISODate);
    if (value.typeId() == QMetaType::QDateTime) return value.toDateTime().date().toString(Qt::ISODate);
    return value.toString().trimmed().left(10);
}

QString groupThousands(const QString& digits) {
    QString out;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += u',';
        out += digits[i];
    }
    return out;
}

}  // namespace

bool isNoDate(const QVariant& value) {
    const QString text = isoDate(value);
    return text.isEmpty() || text < QLatin1String("1901-08-14");
}

QString dateText(const QVariant& value) { return isNoDate(value) ? QString() : isoDate(value); }

QString paymentStateText(const QVariant& value) {
    bool ok = false;
    const int state = value.isNull() ? -1 : value.toInt(&ok);
    if (ok && state == 0) return QStringLiteral("未付清");
    if (ok && state == 1) return QStringLiteral("已付清");
    return QStringLiteral("其  他");
}

bool yesNo(const QVariant& value) { return !value.isNull() && value.toInt() != 0; }

QString formatNumber(double value, const QString& format) {
    // Only the first of ";"-separated sections is used; quotes mark literal text.
    QString pattern = format.section(u';', 0, 0);
    pattern.remove(u'"').remove(u'\'');
    if (pattern.isEmpty()) return QString::number(value, 'g', 15);

    const auto isPlaceholder = [](QChar c) { return c == u'0' || c == u'#' || c == u'.' || c == u','; };
    int first = 0;
    while (first < pattern.size() && !isPlaceholder(pattern[first])) ++first;
    int last = int(pattern.size()) - 1;
    while (last >= first && !isPlaceholder(pattern[last])) --last;
    if (first > last) return pattern;  // no digits in the format: the text itself
    const QString prefix = pattern.left(first);
    const QString suffix = pattern.mid(last + 1);
    const QString digits = pattern.mid(first, last - first + 1);

    const int point = int(digits.indexOf(u'.'));
    const QString intPart = point < 0 ? digits : digits.left(point);
    const QString fracPart = point < 0 ? QString() : digits.mid(point + 1);
    const bool thousands = intPart.contains(u',');
    const int minInt = int(intPart.count(u'0'));
    const int minFrac = int(fracPart.count(u'0'));
    const int maxFrac = minFrac + int(fracPart.count(u'#'));

    QString number = QString::number(std::fabs(value), 'f', maxFrac);
    QString whole = number.section(u'.', 0, 0);
    QString frac = maxFrac > 0 ? number.section(u'.', 1, 1) : QString();
    while (frac.size() > minFrac && frac.endsWith(u'0')) frac.chop(1);
    if (whole == u"0" && minInt == 0) whole.clear();
    while (whole.size() < minInt) whole.prepend(u'0');
    if (thousands) whole = groupThousands(whole);

    QString out = whole;
    if (!frac.isEmpty()) out += u'.' + frac;
    const bool negative = value < 0 && (out.contains(QRegularExpression(QStringLiteral("[1-9]"))));
    return (negative ? QStringLiteral("-") : QString()) + prefix + out + suffix;
}

}  // namespace DisplayRules

int ImageTypeOfFile(const QString& fileName) {
    const QString ext = QFileInfo(fileName).suffix().toLower();
    if (ext == u"bmp") return 1;
    if (ext == u"jpg" || ext == u"jpeg") return 2;
    if (ext == u"gif") return 3;
    return 0;
}
