#include "FrmCltEdit.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "CodeStore.h"
#include "CurrentOperator.h"
#include "DLGcodeNewXZ.h"
#include "DataDm.h"
#include "DispFormPos.h"
#include "DisplayRules.h"
#include "EnterNavigation.h"
#include "FrmImageDisp.h"
#include "ListControls.h"
#include "MessageService.h"
#include "MoneyEdit.h"
#include "OptionalDateEdit.h"
#include "PictureStore.h"
#include "TraineeStore.h"

namespace {

const QString kMale = QStringLiteral("男");
const QString kFemale = QStringLiteral("女");

template <class W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLineEdit* lineEdit(const char* name, QWidget* parent) { return named(new QLineEdit(parent), name); }

OptionalDateEdit* optionalDate(const char* name, QWidget* parent) {
    return named(new OptionalDateEdit(parent), name);
}

QCheckBox* checkBox(const char* name, const QString& text, QWidget* parent) {
    return named(new QCheckBox(text, parent), name);
}

// A staff or vehicle input: typed text, with the pick button the staff and
// vehicle pickers attach to; the button stays hidden until a picker is wired in.
QLineEdit* pickInput(const char* name, QWidget* parent) {
    auto* edit = lineEdit(name, parent);
    QAction* pick = edit->addAction(QIcon(), QLineEdit::TrailingPosition);
    pick->setObjectName(QLatin1String(name) + QStringLiteral("Button"));
    pick->setVisible(false);
    return edit;
}

QDoubleSpinBox* numberInput(const QString& name, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setDecimals(4);
    box->setRange(-1e12, 1e12);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    return box;
}

// Reached only with the mouse, as the office wants Tab to stay on the daily inputs.
void skipTab(QWidget* widget) {
    widget->setFocusPolicy(Qt::ClickFocus);
    for (QWidget* child : widget->findChildren<QWidget*>()) child->setFocusPolicy(Qt::ClickFocus);
}

QButtonGroup* radioGroup(QGroupBox* box, const QStringList& items, Qt::Orientation orientation) {
    auto* group = new QButtonGroup(box);
    QBoxLayout* layout = orientation == Qt::Horizontal ? static_cast<QBoxLayout*>(new QHBoxLayout(box))
                                                        : static_cast<QBoxLayout*>(new QVBoxLayout(box));
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], box);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    return group;
}

QLabel* label(const QString& text, QWidget* parent) { return new QLabel(text, parent); }

}  // namespace

TfrmCltEdit::TfrmCltEdit(TdmData& dm, TraineeListAccess& list, QWidget* parent)
    : QDialog(parent), dm_(dm), list_(list) {
    setObjectName(QStringLiteral("TfrmCltEdit"));
    setWindowTitle(QStringLiteral("学员资料编辑"));
    buildInputs();
    enterMovesFocus(this);
    auto* ctrlS = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
    connect(ctrlS, &QShortcut::activated, this, [this] {
        if (Button1_->isEnabled()) Button1_->click();
    });
}

void TfrmCltEdit::run(TdmData& dm, Mode mode, TraineeListAccess& list, QWidget* parent) {
    TfrmCltEdit editor(dm, list, parent);
    editor.prepare(mode);
    DispFormPos(&editor, 1);
    editor.exec();
}

void TfrmCltEdit::prepare(Mode mode) {
    setItems(cbbBKcarType_, CodeStore::pickItems(dm_, QStringLiteral("bkcartype")));
    setEditing(mode == EditTrainee);
    if (mode == NewTrainee) return resetForNew();
    loadTrainee(TraineeStore::read(dm_, list_.currentTraineeId()));
    if (mode == CopyTrainee) {
        rowKey_ = 0;
        if (currentOperator().autoNumbering)
            numberForNew();
        else
            edtcode_->clear();
    }
}

void TfrmCltEdit::setEditing(bool editing) {
    editing_ = editing;
    setWindowTitle(editing ? QStringLiteral("学员档案 - 修改") : QStringLiteral("学员档案 - 新增"));
    DBNavigator1_->setVisible(editing);
    CheckBox1_->setVisible(!editing);
}

void TfrmCltEdit::resetForNew() {
    rowKey_ = 0;
    linkNumber_ = TraineeStore::nextLinkNumber(dm_);
    if (currentOperator().autoNumbering)
        numberForNew();
    else
        edtcode_->clear();
    for (QLineEdit* edit : {edtName_, edtSFZcode_, edtJTaddress_, edtLXphone_, cbeJLemp_, cbeCPcode_, cbeEmpName_})
        edit->clear();
    for (QLineEdit* edit : edtZF_) edit->clear();
    dtpBMdate_->setDate(QDate::currentDate());
    sex_->button(0)->setChecked(true);
    cbbBKcarType_->setCurrentText(QStringLiteral("C1"));
    for (OptionalDateEdit* date :
         {dtpZKZdate_, dtpSKdate_, dtpTKdate_, dtpKm1Date_, dtpZKdate_, dtpKM3date_, dtp7x3date_, dtpRQ_[0], dtpRQ_[1],
          dtpRQ_[2]})
        date->setDate(std::nullopt);
    ceSKprice_->setValue(0);
    ceTKprice_->setValue(0);
    rceKemu1CJ_->setValue(0);
    for (QDoubleSpinBox* box : rceSZ_) box->setValue(0);
    for (QCheckBox* box : {cbKemu1_, cbZK1_, cbKemu3_, cb7x3_, cbUseFlag_}) box->setChecked(false);
    memo1_->clear();
    storedPaymentState_ = 0;
    rgSKflag_->button(0)->setChecked(true);
    setPictureShown(QImage(), QString());
}

void TfrmCltEdit::loadTrainee(const QSqlRecord& row) {
    const auto text = [&row](const char* column) { return row.value(QLatin1String(column)).toString(); };
    rowKey_ = row.value(QStringLiteral("F_ID")).toLongLong();
    linkNumber_ = row.value(QStringLiteral("F_mainID")).toLongLong();
    lockFileNumber(false);
    edtName_->setText(text("F_name"));
    edtcode_->setText(text("F_code"));
    edtSFZcode_->setText(text("F_SFZcode"));
    const QDate enrolled = QDate::fromString(text("F_BMdate").left(10), Qt::ISODate);
    dtpBMdate_->setDate(enrolled.isValid() ? enrolled : QDate::currentDate());
    edtJTaddress_->setText(text("F_JTaddress"));
    sex_->button(text("F_Sex") == kMale ? 0 : 1)->setChecked(true);
    cbbBKcarType_->setCurrentText(text("F_BKcarType"));
    dtpZKZdate_->setStoredValue(row.value(QStringLiteral("F_ZKZdate")));
    edtLXphone_->setText(text("F_LXphone"));
    cbeJLemp_->setText(text("F_JLemp"));
    cbeCPcode_->setText(text("F_CPcode"));
    dtpSKdate_->setStoredValue(row.value(QStringLiteral("F_SKdate")));
    ceSKprice_->setValue(row.value(QStringLiteral("F_SKprice")).toDouble());
    dtpTKdate_->setStoredValue(row.value(QStringLiteral("F_TKdate")));
    ceTKprice_->setValue(row.value(QStringLiteral("F_TKprice")).toDouble());
    cbeEmpName_->setText(text("F_empName"));
    cbKemu1_->setChecked(DisplayRules::yesNo(row.value(QStringLiteral("F_kemu1"))));
    rceKemu1CJ_->setValue(row.value(QStringLiteral("F_kemu1CJ")).toInt());
    cbZK1_->setChecked(DisplayRules::yesNo(row.value(QStringLiteral("F_ZK1"))));
    cbKemu3_->setChecked(DisplayRules::yesNo(row.value(QStringLiteral("F_kemu3"))));
    cbUseFlag_->setChecked(DisplayRules::yesNo(row.value(QStringLiteral("F_useFlag"))));
    memo1_->setPlainText(text("F_memo1"));
    for (int i = 0; i < 5; ++i) edtZF_[i]->setText(row.value(QStringLiteral("F_ZF%1").arg(i + 1)).toString());
    for (int i = 0; i < 3; ++i) {
        rceSZ_[i]->setValue(row.value(QStringLiteral("F_SZ%1").arg(i + 1)).toDouble());
        dtpRQ_[i]->setStoredValue(row.value(QStringLiteral("F_RQ%1").arg(i + 1)));
    }
    cb7x3_->setChecked(DisplayRules::yesNo(row.value(QStringLiteral("F_7x3"))));
    dtpKm1Date_->setStoredValue(row.value(QStringLiteral("F_KM1date")));
    dtpZKdate_->setStoredValue(row.value(QStringLiteral("F_ZKdate")));
    dtpKM3date_->setStoredValue(row.value(QStringLiteral("F_KM3date")));
    dtp7x3date_->setStoredValue(row.value(QStringLiteral("F_7x3date")));
    storedPaymentState_ = row.value(QStringLiteral("F_SKflag"));
    const int state = storedPaymentState_.isNull() ? 2 : storedPaymentState_.toInt();
    rgSKflag_->button(state == 0 || state == 1 ? state : 2)->setChecked(true);
    const PictureStore::Loaded photo =
        PictureStore::fromRecord(row.value(QStringLiteral("F_empImage")), text("F_ImagePath"));
    setPictureShown(photo.image, photo.fileName);
}

void TfrmCltEdit::numberForNew() {
    edtcode_->clear();
    lockFileNumber(takeNextFileNumber());
}

bool TfrmCltEdit::takeNextFileNumber() {
    std::optional<QString> next;
    try {
        next = TraineeStore::nextFileNumber(dm_);
    } catch (const NumberingError& e) {
        ShowMess(QStringLiteral("无法生成档案编号：") + QString::fromStdString(e.what()), MessageService::Error);
        return false;
    }
    if (!next) {
        ShowMess(QStringLiteral("本月自动生成的档案编号已经用完（999个），请手工输入档案编号！"),
                 MessageService::Warning);
        return false;
    }
    edtcode_->setText(*next);
    return true;
}

void TfrmCltEdit::lockFileNumber(bool locked) {
    edtcode_->setReadOnly(locked);
    edtcode_->setFocusPolicy(locked ? Qt::ClickFocus : Qt::StrongFocus);
    edtcode_->setStyleSheet(locked ? QStringLiteral("QLineEdit { background: rgb(163, 149, 242); }") : QString());
}

bool TfrmCltEdit::save() {
    const qint64 ownId = editing_ ? rowKey_ : 0;
    if (editing_ && linkNumber_ < 1) linkNumber_ = rowKey_;

    if (TraineeStore::fileNumberTaken(dm_, edtcode_->text(), ownId)) {
        if (!currentOperator().autoNumbering) {
            ShowMess(QStringLiteral("档案编号重复，请重新输入！"), MessageService::Information);
            edtcode_->setFocus();
            return false;
        }
        if (!takeNextFileNumber()) {
            edtcode_->setFocus();
            return false;
        }
    }
    if (TraineeStore::idCardTaken(dm_, edtSFZcode_->text(), ownId)) {
        ShowMess(QStringLiteral("身份证号重复，请检查输入！"), MessageService::Information);
        edtSFZcode_->setFocus();
        return false;
    }
    if (!editing_ && TraineeStore::linkNumberTaken(dm_, linkNumber_)) linkNumber_ = TraineeStore::nextLinkNumber(dm_);

    const PictureStore::Stored photo = PictureStore::forSave(picture_, pictureName_);
    const QString name = edtName_->text().trimmed();
    TraineeStore::Values values = {
        {QStringLiteral("F_mainID"), linkNumber_},
        {QStringLiteral("F_code"), edtcode_->text().trimmed()},
        {QStringLiteral("F_name"), name},
        {QStringLiteral("F_SFZcode"), edtSFZcode_->text().trimmed()},
        {QStringLiteral("F_BMdate"), dtpBMdate_->date().toString(Qt::ISODate)},
        {QStringLiteral("F_JTaddress"), edtJTaddress_->text().trimmed()},
        {QStringLiteral("F_BKcarType"), cbbBKcarType_->currentText().trimmed()},
        {QStringLiteral("F_Sex"), sex_->checkedId() == 0 ? kMale : kFemale},
        {QStringLiteral("F_ZKZdate"), dtpZKZdate_->storedValue()},
        {QStringLiteral("F_LXphone"), edtLXphone_->text().trimmed()},
        {QStringLiteral("F_JLemp"), cbeJLemp_->text().trimmed()},
        {QStringLiteral("F_CPcode"), cbeCPcode_->text().trimmed()},
        {QStringLiteral("F_SKdate"), dtpSKdate_->storedValue()},
        {QStringLiteral("F_SKprice"), ceSKprice_->value()},
        {QStringLiteral("F_TKdate"), dtpTKdate_->storedValue()},
        {QStringLiteral("F_TKprice"), ceTKprice_->value()},
        {QStringLiteral("F_memo1"), memo1_->toPlainText().trimmed()},
        {QStringLiteral("F_useFlag"), int(cbUseFlag_->isChecked())},
        {QStringLiteral("F_kemu1"), int(cbKemu1_->isChecked())},
        {QStringLiteral("F_kemu1CJ"), rceKemu1CJ_->value()},
        {QStringLiteral("F_KM1date"), dtpKm1Date_->storedValue()},
        {QStringLiteral("F_ZK1"), int(cbZK1_->isChecked())},
        {QStringLiteral("F_ZKdate"), dtpZKdate_->storedValue()},
        {QStringLiteral("F_7x3"), int(cb7x3_->isChecked())},
        {QStringLiteral("F_7x3date"), dtp7x3date_->storedValue()},
        {QStringLiteral("F_kemu3"), int(cbKemu3_->isChecked())},
        {QStringLiteral("F_KM3date"), dtpKM3date_->storedValue()},
        {QStringLiteral("F_empName"), cbeEmpName_->text().trimmed()},
        {QStringLiteral("F_empImage"), photo.blob},
        {QStringLiteral("F_ImagePath"), photo.fileName},
    };
    for (int i = 0; i < 5; ++i) values.append({QStringLiteral("F_ZF%1").arg(i + 1), edtZF_[i]->text()});
    for (int i = 0; i < 3; ++i) values.append({QStringLiteral("F_SZ%1").arg(i + 1), rceSZ_[i]->value()});
    for (int i = 0; i < 3; ++i) values.append({QStringLiteral("F_RQ%1").arg(i + 1), dtpRQ_[i]->storedValue()});
    // Without the audit right the stored state goes back exactly as it was read, NULL included.
    values.append({QStringLiteral("F_SKflag"),
                   currentOperator().canAuditPayments ? QVariant(rgSKflag_->checkedId()) : storedPaymentState_});

    if (!TraineeStore::write(dm_, editing_ ? rowKey_ : 0, values)) {
        ShowMess(QStringLiteral("保存失败，请检测数据库连接！"), MessageService::Error);
        return false;
    }
    list_.reloadAndShow(name);
    if (!editing_ && CheckBox1_->isChecked()) {
        resetForNew();
        edtName_->setFocus();
    } else {
        accept();
    }
    return true;
}

void TfrmCltEdit::navigate(TraineeListAccess::Navigation to) {
    if (!editing_ || !list_.moveTo(to)) return;
    loadTrainee(TraineeStore::read(dm_, list_.currentTraineeId()));
}

void TfrmCltEdit::loadPicture() {
    TfrmImageDisp window(this);
    if (!pictureName_.trimmed().isEmpty()) window.setPicture(picture_);
    const QString name = window.run(pictureName_);
    if (name == pictureName_) return;
    if (name.isEmpty()) return clearPicture();
    setPictureShown(PictureStore::readFile(name), name);
}

void TfrmCltEdit::clearPicture() { setPictureShown(QImage(), QString()); }

void TfrmCltEdit::setPictureShown(const QImage& image, const QString& name) {
    picture_ = image;
    pictureName_ = image.isNull() ? QString() : name;
    Image1_->setPixmap(image.isNull() ? QPixmap()
                                      : QPixmap::fromImage(image.scaled(Image1_->size(), Qt::KeepAspectRatio,
                                                                        Qt::SmoothTransformation)));
}

void TfrmCltEdit::showEvent(QShowEvent* event) {
    const OperatorValues& op = currentOperator();
    rgSKflagBox_->setEnabled(op.canAuditPayments);
    for (int i = 0; i < 11; ++i) customLabels_[i]->setText(op.customSettings.value(i) + QStringLiteral("："));
    ceSKprice_->setDisplayFormat(op.moneyFormat);
    ceTKprice_->setDisplayFormat(op.moneyFormat);
    QDialog::showEvent(event);
}

bool TfrmCltEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1_ && event->type() == QEvent::MouseButtonDblClick) {
        loadPicture();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmCltEdit::buildInputs() {
    // Widgets are created in the order Tab walks them.
    edtName_ = lineEdit("edtName", this);
    edtcode_ = lineEdit("edtcode", this);
    edtSFZcode_ = lineEdit("edtSFZcode", this);
    dtpBMdate_ = named(new QDateEdit(this), "dtpBMdate");
    dtpBMdate_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    dtpBMdate_->setCalendarPopup(true);
    edtJTaddress_ = lineEdit("edtJTaddress", this);
    auto* sexBox = named(new QGroupBox(this), "RadioGroup1");
    sex_ = radioGroup(sexBox, {kMale, kFemale}, Qt::Horizontal);
    auto* carTypeBox = new QWidget(this);
    cbbBKcarType_ = named(new QComboBox(carTypeBox), "cbbBKcarType");
    cbbBKcarType_->setEditable(true);
    auto* sbBKcarType = named(new QToolButton(carTypeBox), "sbBKcarType");
    sbBKcarType->setText(QStringLiteral("..."));
    sbBKcarType->setToolTip(QStringLiteral("报考车型资料"));
    sbBKcarType->setFocusPolicy(Qt::NoFocus);
    connect(sbBKcarType, &QToolButton::clicked, this, [this] {
        TDLGcodeNewXZ::pick(dm_, this, QStringLiteral("bkcartype"), QStringLiteral("报考车型资料"), cbbBKcarType_);
    });
    dtpZKZdate_ = optionalDate("dtpZKZdate", this);
    edtLXphone_ = lineEdit("edtLXphone", this);
    cbeJLemp_ = pickInput("cbeJLemp", this);
    cbeCPcode_ = pickInput("cbeCPcode", this);
    dtpSKdate_ = optionalDate("dtpSKdate", this);
    ceSKprice_ = named(new MoneyEdit(this), "ceSKprice");
    dtpTKdate_ = optionalDate("dtpTKdate", this);
    ceTKprice_ = named(new MoneyEdit(this), "ceTKprice");
    cbeEmpName_ = pickInput("cbeEmpName", this);
    cbKemu1_ = checkBox("cbKemu1", QStringLiteral("科目一通过"), this);
    rceKemu1CJ_ = named(new QSpinBox(this), "rceKemu1CJ");
    rceKemu1CJ_->setRange(0, 1000);
    rceKemu1CJ_->setButtonSymbols(QAbstractSpinBox::NoButtons);
    cbZK1_ = checkBox("cbZK1", QStringLiteral("桩考通过"), this);
    cbKemu3_ = checkBox("cbKemu3", QStringLiteral("科目三通过"), this);
    cbUseFlag_ = checkBox("cbUseFlag", QStringLiteral("已通过"), this);
    skipTab(cbUseFlag_);

    auto* pages = named(new QTabWidget(this), "PageControl1");
    auto* memoPage = new QWidget(pages);
    auto* customPage = new QWidget(pages);
    pages->addTab(memoPage, QStringLiteral(" 备注信息 "));
    pages->addTab(customPage, QStringLiteral(" 自定义项 "));
    memo1_ = named(new QPlainTextEdit(memoPage), "memo1");
    skipTab(memo1_);
    (new QVBoxLayout(memoPage))->addWidget(memo1_);
    auto* custom = new QGridLayout(customPage);
    for (int i = 0; i < 11; ++i) customLabels_[i] = label(QString(), customPage);
    for (int i = 0; i < 5; ++i) {
        edtZF_[i] = new QLineEdit(customPage);
        edtZF_[i]->setObjectName(QStringLiteral("edtZF%1").arg(i + 1));
        custom->addWidget(customLabels_[i], i, 0);
        custom->addWidget(edtZF_[i], i, 1);
    }
    for (int i = 0; i < 3; ++i) {
        rceSZ_[i] = numberInput(QStringLiteral("rceSZ%1").arg(i + 1), customPage);
        custom->addWidget(customLabels_[5 + i], i, 2);
        custom->addWidget(rceSZ_[i], i, 3);
    }
    for (int i = 0; i < 3; ++i) {
        dtpRQ_[i] = new OptionalDateEdit(customPage);
        dtpRQ_[i]->setObjectName(QStringLiteral("dtpRQ%1").arg(i + 1));
        skipTab(dtpRQ_[i]);
        custom->addWidget(customLabels_[8 + i], i, 4);
        custom->addWidget(dtpRQ_[i], i, 5);
    }

    cb7x3_ = checkBox("cb7x3", QStringLiteral("七选三通过"), this);
    dtpKm1Date_ = optionalDate("dtpKm1Date", this);
    dtpZKdate_ = optionalDate("dtpZKdate", this);
    dtpKM3date_ = optionalDate("dtpKM3date", this);
    dtp7x3date_ = optionalDate("dtp7x3date", this);
    auto* paymentBox = named(new QGroupBox(this), "rgSKflag");
    rgSKflagBox_ = paymentBox;
    rgSKflag_ = radioGroup(paymentBox, {QStringLiteral("未付清"), QStringLiteral("已付清"), QStringLiteral("其  他")},
                           Qt::Horizontal);

    Image1_ = named(new QLabel(this), "Image1");
    Image1_->setFixedSize(102, 100);
    Image1_->setFrameShape(QFrame::Box);
    Image1_->setAlignment(Qt::AlignCenter);
    Image1_->installEventFilter(this);
    auto* action1 = named(new QAction(QStringLiteral("载入图片"), this), "Action1");
    auto* action2 = named(new QAction(QStringLiteral("清空显示"), this), "Action2");
    connect(action1, &QAction::triggered, this, &TfrmCltEdit::loadPicture);
    connect(action2, &QAction::triggered, this, &TfrmCltEdit::clearPicture);
    auto* loadButton = new QToolButton(this);
    loadButton->setDefaultAction(action1);
    auto* clearButton = new QToolButton(this);
    clearButton->setDefaultAction(action2);

    CheckBox1_ = checkBox("CheckBox1", QStringLiteral("连续新增"), this);
    DBNavigator1_ = named(new QWidget(this), "DBNavigator1");
    auto* navigator = new QHBoxLayout(DBNavigator1_);
    navigator->setContentsMargins(0, 0, 0, 0);
    using Nav = TraineeListAccess::Navigation;
    const std::pair<const char*, Nav> moves[] = {
        {"nbFirst", Nav::First}, {"nbPrior", Nav::Prior}, {"nbNext", Nav::Next}, {"nbLast", Nav::Last}};
    const QString arrows[] = {QStringLiteral("|◀"), QStringLiteral("◀"), QStringLiteral("▶"), QStringLiteral("▶|")};
    for (int i = 0; i < 4; ++i) {
        auto* b = named(new QToolButton(DBNavigator1_), moves[i].first);
        b->setText(arrows[i]);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, to = moves[i].second] { navigate(to); });
        navigator->addWidget(b);
    }
    Button1_ = named(new QPushButton(QStringLiteral("确定"), this), "Button1");
    Button2_ = named(new QPushButton(QStringLiteral("取消"), this), "Button2");
    for (QPushButton* b : {Button1_, Button2_}) b->setAutoDefault(false);
    connect(Button1_, &QPushButton::clicked, this, &TfrmCltEdit::save);
    connect(Button2_, &QPushButton::clicked, this, &QDialog::reject);

    // Personal data and licence class in two columns, the photo on the right.
    auto* top = new QGridLayout;
    const auto pair = [top](int row, int column, const QString& caption, QWidget* input, int span = 1) {
        top->addWidget(new QLabel(caption), row, column * 2);
        top->addWidget(input, row, column * 2 + 1, 1, span);
    };
    auto* carType = new QHBoxLayout(carTypeBox);
    carType->setContentsMargins(0, 0, 0, 0);
    carType->addWidget(cbbBKcarType_, 1);
    carType->addWidget(sbBKcarType);
    pair(0, 0, QStringLiteral("姓    名："), edtName_);
    pair(0, 1, QStringLiteral("档案编号："), edtcode_);
    pair(1, 0, QStringLiteral("身份证号："), edtSFZcode_);
    pair(1, 1, QStringLiteral("报名时间："), dtpBMdate_);
    pair(2, 0, QStringLiteral("家庭住址："), edtJTaddress_, 3);
    pair(3, 0, QStringLiteral("性    别："), sexBox);
    pair(3, 1, QStringLiteral("报考车型："), carTypeBox);
    pair(4, 0, QStringLiteral("准考证时间："), dtpZKZdate_);
    pair(4, 1, QStringLiteral("联系方式："), edtLXphone_);
    pair(5, 0, QStringLiteral("教 练 员："), cbeJLemp_);
    pair(5, 1, QStringLiteral("车牌号码："), cbeCPcode_);
    pair(6, 0, QStringLiteral("收款日期："), dtpSKdate_);
    pair(6, 1, QStringLiteral("收款金额："), ceSKprice_);
    pair(7, 0, QStringLiteral("退款日期："), dtpTKdate_);
    pair(7, 1, QStringLiteral("退款金额："), ceTKprice_);
    pair(8, 0, QStringLiteral("业 务 员："), cbeEmpName_);
    auto* photo = new QGridLayout;
    photo->addWidget(new QLabel(QStringLiteral("相    片：")), 0, 0, 1, 2);
    photo->addWidget(Image1_, 1, 0, 1, 2, Qt::AlignCenter);
    photo->addWidget(new QLabel(QStringLiteral("最佳大小：(102*100)")), 2, 0, 1, 2);
    photo->addWidget(loadButton, 3, 0);
    photo->addWidget(clearButton, 3, 1);
    photo->setRowStretch(4, 1);
    top->addLayout(photo, 0, 4, 9, 1);

    auto* exams = new QGridLayout;
    const auto examRow = [exams](int row, QCheckBox* passed, OptionalDateEdit* date) {
        exams->addWidget(passed, row, 0);
        exams->addWidget(new QLabel(QStringLiteral("考试日期：")), row, 3);
        exams->addWidget(date, row, 4);
    };
    examRow(0, cbKemu1_, dtpKm1Date_);
    exams->addWidget(new QLabel(QStringLiteral("成    绩：")), 0, 1);
    exams->addWidget(rceKemu1CJ_, 0, 2);
    examRow(1, cbZK1_, dtpZKdate_);
    examRow(2, cb7x3_, dtp7x3date_);
    examRow(3, cbKemu3_, dtpKM3date_);
    exams->addWidget(cbUseFlag_, 3, 5);
    exams->setColumnStretch(6, 1);

    auto* lower = new QHBoxLayout;
    lower->addWidget(pages, 1);
    lower->addWidget(paymentBox, 0, Qt::AlignBottom);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(CheckBox1_);
    bottom->addWidget(DBNavigator1_);
    bottom->addStretch();
    bottom->addWidget(Button1_);
    bottom->addWidget(Button2_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(exams);
    layout->addLayout(lower, 1);
    layout->addLayout(bottom);
    resize(720, 640);
}
