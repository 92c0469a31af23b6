#pragma once

#include <QDate>
#include <QVariant>
#include <QWidget>
#include <optional>

class QCheckBox;
class QDateEdit;

// A date input with a check mark: an unticked date is "not set" and is stored
// as the no-date value, so the office can leave exam and payment dates open.
class OptionalDateEdit : public QWidget {
    Q_OBJECT
public:
    explicit OptionalDateEdit(QWidget* parent = nullptr);

    bool isSet() const;
    QDate date() const;
    // Set: the date and the mark; not set: today, unticked.
    void setDate(const std::optional<QDate>& date);
    // A stored value: texts sorting before 1901-08-14 (empty included) load as not set.
    void setStoredValue(const QVariant& value);
    // yyyy-MM-dd, or the no-date text when not set.
    QString storedValue() const;

    QCheckBox* checkBox() const { return check_; }
    QDateEdit* dateEdit() const { return edit_; }

private:
    QCheckBox* check_;
    QDateEdit* edit_;
};
