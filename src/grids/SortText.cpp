#include "SortText.h"

namespace SortText {

QList<Key> parse(const QString& text, bool* ok) {
    QList<Key> keys;
    if (ok) *ok = true;
    for (const QString& entry : text.split(u',', Qt::SkipEmptyParts)) {
        const QStringList words = entry.simplified().split(u' ', Qt::SkipEmptyParts);
        if (words.isEmpty()) continue;
        Key key{words[0], false};
        bool valid = words.size() <= 2;
        if (valid && words.size() == 2) {
            if (words[1].compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0)
                key.descending = true;
            else
                valid = words[1].compare(QLatin1String("ASC"), Qt::CaseInsensitive) == 0;
        }
        if (!valid) {
            if (ok) *ok = false;
            return {};
        }
        keys.append(key);
    }
    return keys;
}

QString fromDialogRows(const QList<DialogRow>& rows, const QList<FieldTitle>& columns) {
    QString text;
    for (const DialogRow& row : rows) {
        if (row.order != 1 && row.order != 2) continue;
        for (const FieldTitle& column : columns) {
            if (column.title != row.title) continue;
            text += column.field.toLower() + (row.order == 1 ? QLatin1String(" ASC,") : QLatin1String(" DESC,"));
            break;
        }
    }
    return text;
}

}  // namespace SortText
