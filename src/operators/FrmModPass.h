#pragma once

#include <QDialog>

class QLineEdit;
class TdmData;

// The current operator changes his own password; it takes effect at the next login.
class TfrmModPass : public QDialog {
    Q_OBJECT
public:
    explicit TfrmModPass(TdmData& dm, QWidget* parent = nullptr);

private:
    void confirm();

    TdmData& dm_;
    QLineEdit* oldPass_;
    QLineEdit* newPass_;
    QLineEdit* again_;
};
