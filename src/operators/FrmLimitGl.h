#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QWidget;
class TdmData;
struct OperatorForm;

// The operator editor: name, password, permissions, trainee scope and audit
// right. A new operator's editor stays open, cleared, for the next one.
class TFrmLimitGl : public QDialog {
    Q_OBJECT
public:
    // editedId 0 adds operators, otherwise the editor changes that OperList row.
    TFrmLimitGl(TdmData& dm, qint64 editedId, QWidget* parent = nullptr);

    bool isNewMode() const { return editedId_ == 0; }

Q_SIGNALS:
    // An operator was written; lists showing operators reopen on this name.
    void saved(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void clearInputs();
    void load();
    void setAllTicks(bool ticked);
    void scopeChanged();
    OperatorForm form() const;
    void saveClicked();

    TdmData& dm_;
    qint64 editedId_;
    QComboBox* name_;
    QLineEdit* password_;
    QLineEdit* confirmation_;
    QPlainTextEdit* memo_;
    QListWidget* permissions_;
    QCheckBox* disabled_;
    QButtonGroup* scope_;
    QWidget* salesmanPanel_;
    QLineEdit* salesmen_;
    QCheckBox* audit_;
};
