#include "FrmMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "Backup.h"
#include "CommandTable.h"
#include "CurrentOperator.h"
#include "DataDm.h"
#include "DataGrid.h"
#include "DetailPanes.h"
#include "DispFormPos.h"
#include "FrmCltEdit.h"
#include "FrmCodeMan.h"
#include "FrmModPass.h"
#include "FrmOperGl.h"
#include "FrmRowArrangeGl.h"
#include "GridExport.h"
#include "GridLayout.h"
#include "Helpers.h"
#include "MessageService.h"
#include "NavigationPanel.h"
#include "ReportCommands.h"
#include "SearchBar.h"
#include "TableColumns.h"
#include "TraineeScope.h"
#include "TraineeSource.h"

namespace {

// The trainee grid's design columns, used until a stored layout replaces them.
GridColumns traineeDesignColumns() {
    static const char* const columns[][2] = {
        {"F_code", "档案编号"},     {"F_name", "姓名"},         {"F_SFZcode", "身份证号"}, {"F_BMdate", "报名时间"},
        {"F_JTaddress", "家庭住址"}, {"F_BKcarType", "报考车型"}, {"F_Sex", "性别"},         {"F_ZKZdate", "准考证时间"},
        {"F_LXphone", "联系方式"},   {"F_JLemp", "教练员"},       {"F_CPcode", "车牌号码"},  {"F_SKdate", "收款日期"},
        {"F_SKprice", "收款金额"},   {"F_TKdate", "退款日期"},    {"F_TKprice", "退款金额"}, {"F_memo1", "备注"},
        {"F_kemu1", "科目一"},       {"F_km1date", "科目一日期"}, {"F_zk1", "桩考"},         {"F_zkdate", "桩考日期"},
        {"F_7x3", "七选三"},         {"F_7x3date", "日期"},       {"F_kemu3", "科目三"},     {"F_km3date", "科目三日期"},
        {"F_ZF1", ""}, {"F_ZF2", ""}, {"F_ZF3", ""}, {"F_ZF4", ""}, {"F_ZF5", ""}, {"F_SZ1", ""}, {"F_SZ2", ""},
        {"F_SZ3", ""}, {"F_RQ1", ""}, {"F_RQ2", ""}, {"F_RQ3", ""}};
    GridColumns out;
    for (const auto& c : columns) out.append(GridColumn::forField(QLatin1String(c[0]), QString::fromUtf8(c[1]), 80));
    return out;
}

// Custom item columns take the school's own captions: zf1..zf5 settings 1-5,
// sz1..sz3 settings 6-8, rq1..rq3 settings 9-11.
void applyCustomTitles(DataGrid* grid) {
    static const char* const keys[] = {"zf1", "zf2", "zf3", "zf4", "zf5", "sz1", "sz2", "sz3", "rq1", "rq2", "rq3"};
    GridColumns columns = grid->columns();
    for (GridColumn& c : columns)
        for (int i = 0; i < 11; ++i)
            if (c.fieldName.toLower().contains(QLatin1String(keys[i])))
                c.caption = currentOperator().customSettings.value(i);
    grid->setColumns(columns);
}

bool offscreen() { return QGuiApplication::platformName() == QLatin1String("offscreen"); }

}  // namespace

TFrmMain::TFrmMain(TdmData& dm, QWidget* parent) : QMainWindow(parent), dm_(dm) {
    setObjectName(QStringLiteral("TFrmMain"));
    setWindowTitle(programTitle() + versionText());
    createCommands();
    createMenus();
    createToolBar();
    createCentre();
    createStatusBar();
    connectCommands();
    // The window sees keys before its controls, as the office is used to.
    qApp->installEventFilter(this);
}

TFrmMain::~TFrmMain() { qApp->removeEventFilter(this); }

void TFrmMain::createCommands() {
    for (const CommandInfo& c : commandTable()) {
        auto* action = new QAction(c.menuText.isEmpty() ? c.caption : c.menuText, this);
        action->setObjectName(c.name);
        action->setToolTip(c.caption);
        action->setProperty("category", c.category);
        if (!c.buttonText.isEmpty()) action->setIconText(c.buttonText);
        commands_.insert(c.name, action);
    }
    const auto plain = [this](const char* name, const char* caption) {
        auto* action = new QAction(QString::fromUtf8(caption), this);
        action->setObjectName(QLatin1String(name));
        commands_.insert(action->objectName(), action);
        return action;
    };
    plain("N43", "重新登录");
    plain("miExit", "退出系统");
    // The view toggles start ticked; 导航树 carries the tick only.
    for (QAction* toggle : {plain("miToolBar", "工具栏"), plain("miNavTree", "导航树"), plain("miStatusBar", "状态栏")}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    plain("miCalculator", "计算器");
    plain("miNotepad", "笔记本");
    plain("miReadme", "自述文件");
    plain("miAbout", "关于我们");
    plain("ToolButton1", "重新登录");
    plain("tbClose", "关闭");

    const struct {
        const char* name;
        QStyle::StandardPixmap icon;
    } icons[] = {{"ToolButton1", QStyle::SP_BrowserReload},     {"Action402", QStyle::SP_MessageBoxInformation},
                 {"Action209", QStyle::SP_DirHomeIcon},         {"Action210", QStyle::SP_DriveHDIcon},
                 {"Action208", QStyle::SP_FileDialogListView},  {"Action211", QStyle::SP_DialogSaveButton},
                 {"Action201", QStyle::SP_FileIcon},            {"Action207", QStyle::SP_FileLinkIcon},
                 {"Action202", QStyle::SP_FileDialogDetailedView}, {"Action203", QStyle::SP_TrashIcon},
                 {"Action204", QStyle::SP_ArrowDown},           {"tbClose", QStyle::SP_DialogCloseButton}};
    for (const auto& i : icons) command(QLatin1String(i.name))->setIcon(style()->standardIcon(i.icon));
}

void TFrmMain::addCommands(QWidget* target, const QStringList& entries) const {
    for (const QString& entry : entries) {
        if (entry == QLatin1String("-")) {
            auto* separator = new QAction(target);
            separator->setSeparator(true);
            target->addAction(separator);
        } else {
            target->addAction(command(entry));
        }
    }
}

void TFrmMain::createMenus() {
    for (const MenuInfo& m : menuTable()) {
        QMenu* menu = menuBar()->addMenu(m.title);
        menu->setObjectName(m.name);
        menu->menuAction()->setObjectName(m.name);
        addCommands(menu, m.entries);
        menus_.insert(m.name, menu);
    }
}

void TFrmMain::createToolBar() {
    toolBar_ = addToolBar(QStringLiteral("工具栏"));
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolBar_->setIconSize(QSize(32, 32));
    toolBar_->setMovable(false);
    addCommands(toolBar_, {"ToolButton1", "Action402", "-", "Action209", "Action210", "Action208", "Action211", "-",
                           "Action201", "Action207", "Action202", "Action203", "Action204", "-", "tbClose"});
}

void TFrmMain::createCentre() {
    auto* centre = new QWidget(this);
    auto* column = new QVBoxLayout(centre);
    column->setContentsMargins(2, 2, 2, 2);
    search_ = new SearchBar(centre);
    column->addWidget(search_);

    auto* upDown = new QSplitter(Qt::Vertical, centre);
    upDown->setObjectName(QStringLiteral("splitDetail"));
    auto* leftRight = new QSplitter(Qt::Horizontal, upDown);
    leftRight->setObjectName(QStringLiteral("splitNav"));
    navigation_ = new NavigationPanel(dm_, leftRight);
    auto* listArea = new QWidget(leftRight);
    auto* listColumn = new QVBoxLayout(listArea);
    listColumn->setContentsMargins(0, 0, 0, 0);
    trainees_ = new DataGrid(listArea);
    trainees_->setObjectName(QStringLiteral("DBGridEh1"));
    trainees_->setColumns(traineeDesignColumns());
    trainees_->setTitleSortEnabled(true);
    // Deleting a search text brings back a list shown a moment ago: keep the last few.
    trainees_->setResultCache(3);
    trainees_->setRowRule([](const ResultModel::RowValues& row) { return row.value(QStringLiteral("F_useFlag")).toInt() != 0; });
    trainees_->setContextMenuPolicy(Qt::CustomContextMenu);
    listColumn->addWidget(trainees_, 1);
    count_ = new QLabel(QStringLiteral("学员总数：0 条"), listArea);
    count_->setObjectName(QStringLiteral("lblCount"));
    count_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    listColumn->addWidget(count_);
    leftRight->setStretchFactor(1, 1);
    leftRight->setSizes({200, 900});
    panes_ = new DetailPanes(dm_, *this, upDown);
    upDown->setStretchFactor(0, 3);
    upDown->setStretchFactor(1, 1);
    column->addWidget(upDown, 1);
    setCentralWidget(centre);

    auto* gridMenu = new QMenu(this);
    addCommands(gridMenu, {"Action201", "Action207", "Action202", "Action203", "-", "Action208", "Action209",
                           "Action210", "-", "Action204", "Action205", "Action206"});
    connect(trainees_, &QWidget::customContextMenuRequested, this,
            [this, gridMenu](const QPoint& at) { gridMenu->popup(trainees_->mapToGlobal(at)); });
    connect(trainees_, &DataGrid::rowDoubleClicked, this, [this] { runIfVisible(QStringLiteral("Action202")); });
    connect(trainees_, &DataGrid::currentRowChanged, this, [this](int row) {
        panes_->showTrainee(row < 0 ? 0 : trainees_->value(QStringLiteral("F_mainID")).toLongLong(), advancedActive_);
    });
    connect(search_, &SearchBar::queryRequested, this, &TFrmMain::runTraineeQuery);
    connect(search_, &SearchBar::advancedClicked, this, &TFrmMain::advancedClicked);
    connect(search_->navigationButton(), &QToolButton::clicked, this,
            [this] { navigation_->setVisible(!navigation_->isVisible()); });
    connect(navigation_, &NavigationPanel::queryRequested, this, &TFrmMain::runTraineeQuery);
}

void TFrmMain::createStatusBar() {
    const QStringList texts = {QStringLiteral(" 当前用户"), QStringLiteral(" "), QStringLiteral(" 当前日期时间"),
                               QStringLiteral(" "), QStringLiteral("Velmor驾校学员管理软件  服务电话：400-000-0000")};
    for (int i = 0; i < 5; ++i) {
        statusPanels_[i] = new QLabel(texts[i], this);
        statusPanels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        statusPanels_[i]->setFrameShape(QFrame::Panel);
        statusPanels_[i]->setFrameShadow(QFrame::Sunken);
        if (i < 4)
            statusBar()->addWidget(statusPanels_[i]);
        else
            statusBar()->addPermanentWidget(statusPanels_[i]);
    }
    statusPanels_[4]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* clock = new QTimer(this);
    clock->setObjectName(QStringLiteral("Timer1"));
    connect(clock, &QTimer::timeout, this, [this] {
        statusPanels_[3]->setText(u' ' + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    });
    clock->start(1000);
}

void TFrmMain::connectCommands() {
    const auto on = [this](const char* name, auto slot) { connect(command(QLatin1String(name)), &QAction::triggered, this, slot); };
    on("N43", &TFrmMain::relogin);
    on("ToolButton1", &TFrmMain::relogin);
    on("miExit", &QWidget::close);
    on("tbClose", &QWidget::close);
    on("Action102", &TFrmMain::changePassword);
    on("Action103", &TFrmMain::manageOperators);
    on("Action104", [this] { TFrmCodeMan::run(dm_, this); });
    on("Action201", [this] { editTrainee(TfrmCltEdit::NewTrainee); });
    on("Action202", [this] {
        if (traineeCount() == 0)
            ShowMess(QStringLiteral("此表为空，没有记录需要修改！"), 3);
        else
            editTrainee(TfrmCltEdit::EditTrainee);
    });
    on("Action207", [this] {
        if (traineeCount() == 0)
            ShowMess(QStringLiteral("学员档案记录是空，不能复制！"), 0);
        else
            editTrainee(TfrmCltEdit::CopyTrainee);
    });
    on("Action203", &TFrmMain::deleteTrainee);
    on("Action204", [this] {
        if (const auto text = TfrmRowArrangeGl::choose(trainees_)) trainees_->setSortText(*text);
    });
    on("Action205", [this] { ChooseGridFields(trainees_); });
    on("Action206", &TFrmMain::saveTraineeLayout);
    on("Action301", [this] { ExportGridToExcel(trainees_, QStringLiteral("学员档案记录列表")); });
    on("Action302", [this] { ReportCommands::openReportManager(dm_, report_, traineeSource(*trainees_), this); });
    on("Action303", [this] { ReportCommands::previewCurrentTrainee(dm_, report_, traineeSource(*trainees_), this); });
    on("Action304", [this] { ReportCommands::previewTraineeList(dm_, report_, traineeSource(*trainees_), this); });
    on("Action504", &TFrmMain::compactDatabase);
    on("Action505", &TFrmMain::chooseDatabaseFolder);
    on("miToolBar", [this](bool on) { toolBar_->setVisible(on); });
    on("miStatusBar", [this](bool on) { statusBar()->setVisible(on); });
    on("miCalculator", [this] {
        startTool({QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"), QStringLiteral("galculator"),
                   QStringLiteral("mate-calc"), QStringLiteral("xcalc")},
                  QStringLiteral("没有找到计算器程序，请先安装一个计算器。"));
    });
    on("miNotepad", [this] {
        startTool({QStringLiteral("gedit"), QStringLiteral("gnome-text-editor"), QStringLiteral("kate"),
                   QStringLiteral("mousepad"), QStringLiteral("pluma"), QStringLiteral("xed"),
                   QStringLiteral("featherpad"), QStringLiteral("leafpad")},
                  QStringLiteral("没有找到文本编辑程序，请先安装一个文本编辑器。"));
    });
    on("miReadme", &TFrmMain::openReadme);
}

bool TFrmMain::login(TfrmOperLogin::Mode mode) {
    TfrmOperLogin window(dm_, mode, this);
    bool terminated = false;
    connect(&window, &TfrmOperLogin::loggedIn, this, &TFrmMain::SetLimits);
    connect(&window, &TfrmOperLogin::terminateRequested, this, [&terminated] { terminated = true; });
    const bool loggedIn = window.exec() == QDialog::Accepted;
    return loggedIn && !terminated;
}

void TFrmMain::relogin() {
    login(TfrmOperLogin::ReLogin);
    runTraineeQuery();
}

void TFrmMain::SetLimits() {
    const QHash<QString, bool> visible =
        commandVisibility(currentOperator().isAdmin(), [this](const QString& code) { return dm_.HasLimit(code); });
    for (auto it = visible.begin(); it != visible.end(); ++it) command(it.key())->setVisible(it.value());
    for (const MenuInfo& m : menuTable()) menus_.value(m.name)->menuAction()->setVisible(menuVisible(m, visible));
}

void TFrmMain::runTraineeQuery() {
    if (advancedActive_) {
        advancedActive_ = false;
        search_->releaseAdvanced();
    }
    TraineeFilter filter;
    filter.searchField = search_->searchField();
    filter.searchText = search_->searchText();
    filter.includeFinished = search_->includeFinished();
    filter.paymentState = navigation_->paymentState();
    filter.navigationType = navigation_->type();
    filter.navigationValue = navigation_->value();
    openTrainees(TraineeQuery::build(TableColumns::selectList(dm_.database(), QStringLiteral("T_employee")), filter,
                                     traineeScopeCondition(currentOperator())));
}

void TFrmMain::openTrainees(const SqlStatement& statement) {
    statement_ = statement;
    if (!trainees_->open(dm_, statement.sql, statement.params)) panes_->showTrainee(0);
    updateCount();
}

void TFrmMain::updateCount() {
    count_->setText(QStringLiteral("学员总数：%1个").arg(trainees_->rowCount()));
}

void TFrmMain::advancedClicked(bool pressed) {
    if (!pressed || !advancedSearch_) {
        search_->releaseAdvanced();
        if (!pressed && advancedActive_) runTraineeQuery();
        return;
    }
    const std::optional<SqlStatement> chosen = advancedSearch_();
    if (!chosen) {
        search_->releaseAdvanced();
        return;
    }
    search_->holdAdvanced();
    advancedActive_ = true;
    openTrainees({chosen->sql + QStringLiteral("order by F_code"), chosen->params});
}

int TFrmMain::traineeCount() const { return trainees_->rowCount(); }

void TFrmMain::focusTraineeGrid() { trainees_->view()->setFocus(); }

qint64 TFrmMain::currentTraineeId() {
    return trainees_->currentRow() < 0 ? 0 : trainees_->value(QStringLiteral("F_ID")).toLongLong();
}

bool TFrmMain::moveTo(Navigation to) {
    const int rows = trainees_->rowCount(), row = trainees_->currentRow();
    int target = row;
    switch (to) {
        case Navigation::First: target = 0; break;
        case Navigation::Prior: target = row - 1; break;
        case Navigation::Next: target = row + 1; break;
        case Navigation::Last: target = rows - 1; break;
    }
    if (rows == 0 || target < 0 || target >= rows || target == row) return false;
    trainees_->setCurrentRow(target);
    return true;
}

void TFrmMain::reloadAndShow(const QString& name) {
    openTrainees(statement_);
    trainees_->locate(QStringLiteral("F_name"), name);
    statusPanels_[2]->setText(QStringLiteral("客户总数：%1").arg(trainees_->rowCount()));
}

bool TFrmMain::runIfVisible(const QString& name) {
    QAction* action = command(name);
    if (!action || !action->isVisible()) return false;
    action->trigger();
    return true;
}

bool TFrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !isActiveWindow()) return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this) return QMainWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() == Qt::ControlModifier) {
        static const QHash<int, QString> keys = {{Qt::Key_A, QStringLiteral("Action201")},
                                                 {Qt::Key_E, QStringLiteral("Action202")},
                                                 {Qt::Key_S, QStringLiteral("Action203")}};
        if (keys.contains(key->key())) {
            runIfVisible(keys.value(key->key()));
            return true;
        }
    }
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
        close();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFrmMain::editTrainee(int mode) { TfrmCltEdit::run(dm_, TfrmCltEdit::Mode(mode), *this, this); }

void TFrmMain::deleteTrainee() {
    if (trainees_->currentRow() < 0) return;
    const QString question = QStringLiteral("删除当前学员档案记录，将删除当前记录所有相关内容，\n真的要删除当前学员为 ") +
                             trainees_->value(QStringLiteral("F_name")).toString() + QStringLiteral(" 的档案记录吗？");
    if (ShowMess(question, 1) == 2) return;
    if (TraineeQuery::deleteTrainee(dm_, trainees_->value(QStringLiteral("F_mainID")).toLongLong()))
        runTraineeQuery();
    else
        ShowMess(QStringLiteral("操作失败，请检查连接..."), 3);
}

void TFrmMain::saveTraineeLayout() {
    if (ShowMess(QStringLiteral("真的要保存当前网格设置吗？"), 1) == 1)
        SaveGridLayout(dm_, trainees_, QStringLiteral("DovOrerMain"));
}

void TFrmMain::chooseDatabaseFolder() {
    const QString chosen = messageService().chooseOpenFile(QStringLiteral("连接网络数据库"), dm_.home().dir(),
                                                           QStringLiteral("SQLite数据库 (*.db)"));
    if (chosen.isEmpty()) return;
    if (!dm_.config().writeString(QStringLiteral("config"), QStringLiteral("ds"),
                                  QFileInfo(chosen).absolutePath() + u'/'))
        ShowMess(QStringLiteral("无法写入配置文件：") + dm_.config().path(), 3);
}

void TFrmMain::compactDatabase() {
    const QString path = dm_.databasePath();
    trainees_->close();
    panes_->showTrainee(0);
    dm_.close();
    if (CompactDatabase(path))
        ShowMess(QStringLiteral("压缩数据库成功！"), 0);
    else
        ShowMess(QStringLiteral("压缩数据库失败！"), 3);
    dm_.open();
    openTrainees(statement_);
}

void TFrmMain::startTool(const QStringList& programs, const QString& missing) {
    for (const QString& program : programs) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty() && QProcess::startDetached(path, {})) return;
    }
    ShowMess(missing, 0);
}

void TFrmMain::openReadme() {
    const QString path = dm_.home().filePath(QStringLiteral("readme.txt"));
    if (!QFileInfo::exists(path)) {
        ShowMess(QStringLiteral("找不到自述文件：") + path, 2);
        return;
    }
    if (!offscreen()) QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void TFrmMain::changePassword() {
    TfrmModPass window(dm_, this);
    DispFormPos(&window, 1);
    window.exec();
}

void TFrmMain::manageOperators() {
    TfrmOperGl window(dm_, this);
    DispFormPos(&window, 0);
    window.exec();
}

void TFrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    statusPanels_[1]->setText(u' ' + currentOperator().name);
    statusPanels_[3]->setText(u' ' + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    backupMode_ = dm_.config().readInt(QStringLiteral("config"), QStringLiteral("ibak"), 0);
    LoadGridLayout(dm_, trainees_, QStringLiteral("DovOrerMain"));
    panes_->loadLayouts();
    applyCustomTitles(trainees_);
    panes_->setCurrentTab(0);
    navigation_->fill();
}

void TFrmMain::closeEvent(QCloseEvent* event) {
    const QString question = QStringLiteral("真的要退出“") + programTitle() + QStringLiteral("”软件吗？");
    if (ShowMess(question, MessageService::Question) != MessageService::Yes) {
        event->ignore();
        return;
    }
    Backup::offerBackupAtClose(dm_, backupMode_, QDate::currentDate());
    event->accept();
}
