#include "OptionalDateEdit.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>

#include "DisplayRules.h"

OptionalDateEdit::OptionalDateEdit(QWidget* parent) : QWidget(parent) {
    check_ = new QCheckBox(this);
    edit_ = new QDateEdit(this);
    edit_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit_->setCalendarPopup(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(check_);
    layout->addWidget(edit_, 1);
    setFocusProxy(check_);
    connect(check_, &QCheckBox::toggled, edit_, &QDateEdit::setEnabled);
    setDate(std::nullopt);
}

bool OptionalDateEdit::isSet() const { return check_->isChecked(); }

QDate OptionalDateEdit::date() const { return edit_->date(); }

void OptionalDateEdit::setDate(const std::optional<QDate>& date) {
    edit_->setDate(date.value_or(QDate::currentDate()));
    check_->setChecked(date.has_value());
    edit_->setEnabled(date.has_value());
}

void OptionalDateEdit::setStoredValue(const QVariant& value) {
    if (DisplayRules::isNoDate(value)) return setDate(std::nullopt);
    const QDate date = QDate::fromString(DisplayRules::dateText(value), Qt::ISODate);
    setDate(date.isValid() ? std::optional<QDate>(date) : std::nullopt);
}

QString OptionalDateEdit::storedValue() const {
    return isSet() ? date().toString(Qt::ISODate) : QString::fromLatin1(DisplayRules::noDateText);
}
