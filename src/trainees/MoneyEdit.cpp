#include "MoneyEdit.h"

#include <QLineEdit>
#include <QRegularExpression>

#include "DisplayRules.h"

namespace {

// The number inside a formatted amount: currency signs and thousands separators dropped.
QString plainNumber(const QString& text) {
    static const QRegularExpression notNumber(QStringLiteral("[^0-9.\\-]"));
    return QString(text).remove(notNumber);
}

}  // namespace

MoneyEdit::MoneyEdit(QWidget* parent) : QDoubleSpinBox(parent) {
    setDecimals(4);
    setRange(-1e12, 1e12);
    setButtonSymbols(QAbstractSpinBox::NoButtons);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void MoneyEdit::setDisplayFormat(const QString& format) {
    format_ = format;
    lineEdit()->setText(textFromValue(value()));
}

QString MoneyEdit::textFromValue(double value) const {
    return format_.isEmpty() ? QDoubleSpinBox::textFromValue(value) : DisplayRules::formatNumber(value, format_);
}

double MoneyEdit::valueFromText(const QString& text) const { return plainNumber(text).toDouble(); }

QValidator::State MoneyEdit::validate(QString& text, int&) const {
    const QString number = plainNumber(text);
    if (number.isEmpty() || number == u"-" || number == u".") return QValidator::Intermediate;
    bool ok = false;
    number.toDouble(&ok);
    return ok ? QValidator::Acceptable : QValidator::Invalid;
}
