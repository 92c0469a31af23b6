#pragma once

#include <QDialog>
#include <optional>

class QLineEdit;

// The one-line name input of the code picker's "新增".
class TDLGaddText : public QDialog {
    Q_OBJECT
public:
    explicit TDLGaddText(QWidget* parent = nullptr);

    // Shows the dialog modally; the text as typed (untrimmed) when confirmed.
    std::optional<QString> run();
    QString text() const;
    // "确定": confirms only a name that is not blank.
    void confirm();

private:
    QLineEdit* edtName_;
};
