#pragma once

#include <QDialog>
#include <QImage>
#include <QSqlRecord>

#include "TraineeListAccess.h"

class MoneyEdit;
class OptionalDateEdit;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class TdmData;

// The trainee editor: the one window in which a trainee's row is created or
// changed. New and copy enter a new trainee; edit changes the main list's
// current trainee and can walk that list with its record navigator.
class TfrmCltEdit : public QDialog {
    Q_OBJECT
public:
    enum Mode { NewTrainee = 0, EditTrainee = 1, CopyTrainee = 2 };

    TfrmCltEdit(TdmData& dm, TraineeListAccess& list, QWidget* parent = nullptr);

    // The main window's one call per command: 新增 NewTrainee, 修改 and the
    // grid's double-click EditTrainee, 复制 CopyTrainee. The editor refreshes
    // the list itself after saving.
    static void run(TdmData& dm, Mode mode, TraineeListAccess& list, QWidget* parent);

    // Fills the inputs for the mode; run() then shows the window modally.
    void prepare(Mode mode);
    bool isEditing() const { return editing_; }
    qint64 linkNumber() const { return linkNumber_; }
    QString pictureName() const { return pictureName_; }
    const QImage& picture() const { return picture_; }

    // "确定": checks and writes the trainee; true when it was saved.
    bool save();
    void navigate(TraineeListAccess::Navigation to);
    void loadPicture();   // 载入图片
    void clearPicture();  // 清空显示

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildInputs();
    void setEditing(bool editing);
    void resetForNew();
    void loadTrainee(const QSqlRecord& row);
    void numberForNew();
    void lockFileNumber(bool locked);
    // Takes the next automatic file number; false (told to the user) when the month is full.
    bool takeNextFileNumber();
    void setPictureShown(const QImage& image, const QString& name);

    TdmData& dm_;
    TraineeListAccess& list_;
    bool editing_ = false;
    qint64 rowKey_ = 0;
    qint64 linkNumber_ = 0;
    QVariant storedPaymentState_;
    QString pictureName_;
    QImage picture_;

    QLineEdit *edtName_, *edtcode_, *edtSFZcode_, *edtJTaddress_, *edtLXphone_;
    QLineEdit *cbeJLemp_, *cbeCPcode_, *cbeEmpName_;
    QDateEdit* dtpBMdate_;
    QButtonGroup* sex_;
    QComboBox* cbbBKcarType_;
    OptionalDateEdit *dtpZKZdate_, *dtpSKdate_, *dtpTKdate_, *dtpKm1Date_, *dtpZKdate_, *dtpKM3date_, *dtp7x3date_;
    OptionalDateEdit* dtpRQ_[3];
    MoneyEdit *ceSKprice_, *ceTKprice_;
    QSpinBox* rceKemu1CJ_;
    QDoubleSpinBox* rceSZ_[3];
    QLineEdit* edtZF_[5];
    QLabel* customLabels_[11];
    QCheckBox *cbKemu1_, *cbZK1_, *cbKemu3_, *cb7x3_, *cbUseFlag_, *CheckBox1_;
    QPlainTextEdit* memo1_;
    QButtonGroup* rgSKflag_;
    QWidget* rgSKflagBox_;
    QLabel* Image1_;
    QWidget* DBNavigator1_;
    QPushButton *Button1_, *Button2_;
};
