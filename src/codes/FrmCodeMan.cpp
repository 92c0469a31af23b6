#include "FrmCodeMan.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "DataDm.h"
#include "DataGrid.h"
#include "DispFormPos.h"
#include "EnterNavigation.h"
#include "GridPrint.h"
#include "MessageService.h"

namespace {

struct CodeType {
    const char* tab;  // the type key is the tab's name without its leading "t"
    const char* caption;
};

// Captions keep their blanks: they title the grid and appear in the delete question.
const CodeType kTypes[] = {
    {"tbkcartype", " 报考车型 "}, {"titemname", " 考试项目 "},  {"tawoketime", " 提醒时间 "},
    {"tcaption", " 提醒主题 "},   {"tdept", " 部    门 "},      {"tduty", " 职    务 "},
    {"txueLi", " 学    历 "},     {"thystatus", " 婚姻状况 "},  {"tjzjibie", " 驾照级别 "},
    {"twyjibie", " 外语等级 "},   {"tjsjjibie", "计算机等级"},  {"tgzjibie", " 工资级别 "},
    {"tcarpinPai", " 车辆品牌 "}, {"tcarxinghao", " 车辆型号 "}, {"tcarYanSe", " 车辆颜色 "},
    {"tcarBanZu", " 车辆班组 "},  {"tcarStatus", " 车辆状态 "},
};
constexpr int kTypeCount = int(std::size(kTypes));
// Exam subjects are kept by the make-up exam editor's picker only.
constexpr int kHiddenTab = 1;
constexpr int kTabsPerLine = 8;

}  // namespace

TFrmCodeMan::TFrmCodeMan(TdmData& dm, QWidget* parent) : QDialog(parent), dm_(dm), held_(dm) {
    setObjectName(QStringLiteral("TFrmCodeMan"));
    setWindowTitle(QStringLiteral("选项设置.."));

    auto* toolBar = new QToolBar(this);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tbNew_ = addCommand("tbNew", QStringLiteral("新增"), &TFrmCodeMan::newCode);
    tbEdit_ = addCommand("tbEdit", QStringLiteral("修改"), &TFrmCodeMan::editCodes);
    tbDel_ = addCommand("tbDel", QStringLiteral("删除"), &TFrmCodeMan::deleteCode);
    tbSave_ = addCommand("tbSave", QStringLiteral("保存"), &TFrmCodeMan::saveCodes);
    tbCancel_ = addCommand("tbCancel", QStringLiteral("取消"), &TFrmCodeMan::cancelEdit);
    tbPrint_ = addCommand("tbPrint", QStringLiteral("打印"), &TFrmCodeMan::printCodes);
    tbRefresh_ = addCommand("tbRefresh", QStringLiteral("刷新"), &TFrmCodeMan::refresh);
    tbExit_ = addCommand("tbExit", QStringLiteral("退出"), &TFrmCodeMan::reject);
    toolBar->addActions({tbNew_, tbEdit_, tbDel_});
    toolBar->addSeparator();
    toolBar->addActions({tbSave_, tbCancel_});
    toolBar->addSeparator();
    toolBar->addActions({tbPrint_, tbRefresh_});
    toolBar->addSeparator();
    toolBar->addAction(tbExit_);

    auto* tabBox = new QWidget(this);
    auto* tabLines = new QGridLayout(tabBox);
    tabLines->setContentsMargins(0, 0, 0, 0);
    tabLines->setSpacing(2);
    tabs_ = new QButtonGroup(this);
    for (int i = 0; i < kTypeCount; ++i) {
        auto* tab = new QToolButton(tabBox);
        tab->setObjectName(QLatin1String(kTypes[i].tab));
        tab->setText(QString::fromUtf8(kTypes[i].caption));
        tab->setCheckable(true);
        tab->setFocusPolicy(Qt::NoFocus);
        tab->setVisible(i != kHiddenTab);
        tabs_->addButton(tab, i);
        const int place = i > kHiddenTab ? i - 1 : i;
        tabLines->addWidget(tab, place / kTabsPerLine, place % kTabsPerLine);
    }
    connect(tabs_, &QButtonGroup::idClicked, this, &TFrmCodeMan::selectType);

    grid_ = new DataGrid(this);
    grid_->setObjectName(QStringLiteral("DBGridEh1"));
    grid_->setFooterVisible(false);
    grid_->view()->installEventFilter(this);
    connect(grid_, &DataGrid::rowDoubleClicked, this, [this] {
        if (tbEdit_->isEnabled()) editCodes();
    });

    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        status->addWidget(panel, i == 2 ? 1 : 0);
        if (i == 3) panel->setText(QStringLiteral("Velmor  "));
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(toolBar);
    layout->addWidget(tabBox);
    layout->addWidget(grid_, 1);
    layout->addWidget(status);
    resize(640, 520);
    enterMovesFocus(this);

    setEditing(false);
    tabs_->button(0)->setChecked(true);
    selectType(0);
}

void TFrmCodeMan::run(TdmData& dm, QWidget* parent) {
    TFrmCodeMan window(dm, parent);
    DispFormPos(&window, 0);
    window.exec();
}

QAction* TFrmCodeMan::addCommand(const char* name, const QString& text, void (TFrmCodeMan::*slot)()) {
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, slot);
    return action;
}

QString TFrmCodeMan::caption() const { return QString::fromUtf8(kTypes[tab_].caption); }

void TFrmCodeMan::selectType(int tab) {
    if (editing_ || tab < 0 || tab >= kTypeCount) return;
    tab_ = tab;
    typeKey_ = QLatin1String(kTypes[tab].tab).mid(1);
    tabs_->button(tab)->setChecked(true);
    grid_->setColumns({GridColumn::forField(QStringLiteral("F_name"), caption(), 208),
                       GridColumn::forField(QStringLiteral("F_code"), QStringLiteral("助记码"), 111)});
    refresh();
}

void TFrmCodeMan::refresh() {
    if (held_.open(typeKey_))
        reload(0);
    else
        grid_->close();
}

void TFrmCodeMan::reload(qint64 currentRow) {
    // The editors may be in the middle of their own key event, so they go later.
    for (QLineEdit* edit : std::as_const(editors_)) {
        edit->setObjectName(QString());
        edit->hide();
        edit->deleteLater();
    }
    editors_.clear();
    grid_->open(dm_, HeldCodes::listSql());
    if (currentRow > 0) grid_->locate(QStringLiteral("F_row"), currentRow);
}

void TFrmCodeMan::setEditing(bool editing) {
    editing_ = editing;
    for (QAction* a : {tbNew_, tbEdit_, tbDel_, tbPrint_, tbRefresh_, tbExit_}) a->setEnabled(!editing);
    for (QAction* a : {tbSave_, tbCancel_}) a->setEnabled(editing);
    for (QAbstractButton* tab : tabs_->buttons()) tab->setEnabled(!editing);
}

void TFrmCodeMan::newCode() {
    if (editing_ && !flushEditors()) return;
    const qint64 row = held_.add();
    if (row <= 0) return;
    setEditing(true);
    reload(row);
    placeEditors();
}

void TFrmCodeMan::editCodes() {
    if (grid_->rowCount() == 0) {
        ShowMess(QStringLiteral("此表为空，没有记录需要修改！"), MessageService::Error);
        return;
    }
    setEditing(true);
    placeEditors();
}

void TFrmCodeMan::saveCodes() {
    if (!editing_ || !flushEditors()) return;
    if (!held_.save(typeKey_)) return;
    setEditing(false);
    reload(0);
}

void TFrmCodeMan::cancelEdit() {
    setEditing(false);
    refresh();
}

void TFrmCodeMan::deleteCode() {
    if (grid_->rowCount() == 0) {
        ShowMess(QStringLiteral("此表是空表，不需要删除！"), MessageService::Information);
        return;
    }
    const QString question = QStringLiteral("真的要删除 \"") + caption() + u'"' +
                             grid_->value(QStringLiteral("F_name")).toString() + QStringLiteral("吗？");
    if (ShowMess(question, MessageService::Question) == MessageService::No) return;
    if (dm_.DeleteRecord(QStringLiteral("t_code"), grid_->value(QStringLiteral("F_ID")).toLongLong())) refresh();
}

void TFrmCodeMan::printCodes() {
    PrintGrid(grid_, grid_->columns().value(0).caption + QStringLiteral("设置"), 1, QStringLiteral("date"), QString());
}

// While editing, every row carries a line edit for its name and its mnemonic
// code; the code lists are short, and the held rows stay visible as typed.
void TFrmCodeMan::placeEditors() {
    editors_.clear();
    QTableView* view = grid_->view();
    for (int row = 0; row < grid_->rowCount(); ++row) {
        for (int column = 0; column < 2; ++column) {
            auto* edit = new QLineEdit(grid_->value(row, column == 0 ? QStringLiteral("F_name") : QStringLiteral("F_code")).toString());
            edit->setObjectName(QStringLiteral("%1_%2").arg(column == 0 ? QStringLiteral("F_name") : QStringLiteral("F_code")).arg(row));
            edit->installEventFilter(this);
            view->setIndexWidget(view->model()->index(row, column), edit);
            editors_ << edit;
        }
    }
    const int row = std::max(0, grid_->currentRow());
    if (row * 2 < editors_.size()) editors_[row * 2]->setFocus();
}

bool TFrmCodeMan::flushEditors() {
    for (int i = 0; i + 1 < editors_.size(); i += 2) {
        const qint64 held = grid_->value(i / 2, QStringLiteral("F_row")).toLongLong();
        if (!held_.set(held, editors_[i]->text(), editors_[i + 1]->text())) return false;
    }
    return true;
}

bool TFrmCodeMan::eventFilter(QObject* watched, QEvent* event) {
    // The window's keys come before those of the grid and the cell editors.
    if (event->type() == QEvent::KeyPress && runKey(static_cast<QKeyEvent*>(event))) return true;
    const int index = int(editors_.indexOf(qobject_cast<QLineEdit*>(watched)));
    if (index < 0) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) grid_->setCurrentRow(index / 2);
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    const int row = index / 2;
    if (key == Qt::Key_Up && row > 0) {
        editors_[index - 2]->setFocus();
        return true;
    }
    if (key == Qt::Key_Down) {
        // Down in the last row appends a row, as the office is used to in grids.
        if (row + 1 < grid_->rowCount())
            editors_[index + 2]->setFocus();
        else
            newCode();
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        focusNextChild();
        return true;
    }
    return false;
}

bool TFrmCodeMan::runKey(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    QAction* command = nullptr;
    if (ctrl && event->key() == Qt::Key_A) command = tbNew_;
    if (ctrl && event->key() == Qt::Key_E) command = tbEdit_;
    if (ctrl && event->key() == Qt::Key_S) command = tbSave_;
    if (event->key() == Qt::Key_Delete) command = tbDel_;
    if (event->key() == Qt::Key_Escape) command = tbCancel_->isEnabled() ? tbCancel_ : tbExit_;
    if (!command || !command->isEnabled()) return false;
    command->trigger();
    return true;
}

void TFrmCodeMan::keyPressEvent(QKeyEvent* event) {
    if (runKey(event)) return event->accept();
    // Esc without an enabled command must not close the window behind the user's back.
    if (event->key() != Qt::Key_Escape) QDialog::keyPressEvent(event);
}
