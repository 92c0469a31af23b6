#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class TdmData;

// The login window: at start-up (first login) and for changing the operator
// during the run (re-login). Four wrong passwords end the attempt: at first
// login the program ends, at re-login the previous operator stays.
class TfrmOperLogin : public QDialog {
    Q_OBJECT
public:
    enum Mode { FirstLogin, ReLogin };

    TfrmOperLogin(TdmData& dm, Mode mode, QWidget* parent = nullptr);

    Mode mode() const { return mode_; }

public Q_SLOTS:
    void reject() override;

Q_SIGNALS:
    // The new operator's values are in place; whoever shows commands applies the permissions now.
    void loggedIn();
    // First login given up or refused: the program must end without showing anything.
    void terminateRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void confirm();

    TdmData& dm_;
    Mode mode_;
    int attempts_ = 0;
    QComboBox* name_;
    QLineEdit* password_;
};
