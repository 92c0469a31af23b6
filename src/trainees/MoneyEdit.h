#pragma once

#include <QDoubleSpinBox>

// A money amount kept to four decimal places and shown in the school's money
// format (for example "￥,0.00"); typing accepts plain digits as well.
class MoneyEdit : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit MoneyEdit(QWidget* parent = nullptr);

    void setDisplayFormat(const QString& format);
    QString displayFormat() const { return format_; }

    QString textFromValue(double value) const override;
    double valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;

private:
    QString format_;
};
