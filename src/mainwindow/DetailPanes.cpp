#include "DetailPanes.h"

#include <QAction>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "DataDm.h"
#include "DataGrid.h"
#include "FrmMain.h"
#include "FrmRowArrangeGl.h"
#include "GridExport.h"
#include "GridLayout.h"
#include "MessageService.h"

namespace {

struct PaneInfo {
    const char* selector;
    const char* tabCaption;
    const char* key;
    const char* table;
    const char* sheet;
    const char* emptyAddMessage;
    const char* deleteQuestion;  // %1: the row's date text
    const char* deleteDateField;
};

const PaneInfo kPanes[3] = {
    {"补考记录", " 报考记录 ", "bkdetail", "t_BKrec", "报考记录", "请先选择要增加补考记录的学员档案资料！",
     "真的要删除当前补考日期为“%1”的报考记录吗？", "F_BKdate"},
    {"收款管理", " 收款记录 ", "skdetail", "t_SKrec", "收款记录", "请先选择要增加收款记录的学员档案资料！",
     "真的要删除当前编辑日期为“%1”的收款记录吗？", "F_editDate"},
    {"学员提醒", " 提醒记录 ", "txdetail", "t_TXrec", "提醒记录", "请先选择要增加提醒记录的学员档案资料！",
     "真的要删除当前编辑日期为“%1”的提醒记录吗？", "F_editDate"},
};

GridColumns designColumns(int tab) {
    using C = GridColumn;
    const auto col = [](const char* field, const char* caption) {
        return C::forField(QLatin1String(field), QString::fromUtf8(caption), 80);
    };
    switch (tab) {
        case 0:
            return {col("F_ItemName", "补考项目"), col("F_BKdate", "补考日期"), col("F_IFtg", "通过否"),
                    col("F_FZemp", "业务员"), col("F_memo1", "备注"), col("F_editDate", "日期"),
                    col("F_opername", "制单人")};
        case 1:
            return {col("F_SKdate", "收款日期"), col("F_SKemp", "经手人"), col("F_SKprice", "收款金额"),
                    col("F_SHemp", "审核人"), col("F_SHdate", "审核日期"), col("F_memo1", "备注"),
                    col("F_editDate", "编辑日期"), col("F_operName", "制单人")};
        default:
            return {col("F_awokeDate", "提醒日期"), col("F_awokeTime", "提醒时间"), col("F_caption", "提醒主题"),
                    col("F_memo1", "备注"), col("F_editDate", "编辑日期"), col("F_operName", "制单人")};
    }
}

}  // namespace

DetailPanes::DetailPanes(TdmData& dm, TFrmMain& main, QWidget* parent) : QWidget(parent), dm_(dm), main_(main) {
    setObjectName(QStringLiteral("DetailPanes"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);

    selector_ = new QListWidget(this);
    selector_->setObjectName(QStringLiteral("lstDetailKind"));
    selector_->setMaximumWidth(110);
    selector_->setIconSize(QSize(24, 24));
    const QStyle::StandardPixmap icons[3] = {QStyle::SP_FileDialogDetailedView, QStyle::SP_DialogApplyButton,
                                             QStyle::SP_MessageBoxInformation};
    for (int i = 0; i < 3; ++i) selector_->addItem(new QListWidgetItem(style()->standardIcon(icons[i]),
                                                                       QString::fromUtf8(kPanes[i].selector)));
    row->addWidget(selector_);

    auto* right = new QVBoxLayout;
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tbDetail"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    main_.addCommands(bar, {"Action901", "Action902", "Action903", "Action904", "Action31"});
    right->addWidget(bar);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("pcDetail"));
    tabs_->setTabPosition(QTabWidget::South);
    auto* gridMenu = new QMenu(this);
    main_.addCommands(gridMenu, {"Action901", "Action902", "Action903", "-", "Action904", "Action31", "-",
                                 "Action905", "Action906"});
    for (int i = 0; i < 3; ++i) {
        grids_[i] = new DataGrid(tabs_);
        grids_[i]->setObjectName(QStringLiteral("grid") + QLatin1String(kPanes[i].key));
        grids_[i]->setColumns(designColumns(i));
        // Only the make-up exams sort by a title click.
        grids_[i]->setTitleSortEnabled(i == MakeUp);
        grids_[i]->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grids_[i], &QWidget::customContextMenuRequested, this,
                [this, i, gridMenu](const QPoint& at) { gridMenu->popup(grids_[i]->mapToGlobal(at)); });
        // A double-click changes the record even when the permission hides 修改 from the bar.
        connect(grids_[i], &DataGrid::rowDoubleClicked, this, &DetailPanes::change);
        tabs_->addTab(grids_[i], QString::fromUtf8(kPanes[i].tabCaption));
    }
    tabs_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tabs_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu;
        main_.addCommands(&menu, {"Action205", "Action206"});
        menu.exec(tabs_->mapToGlobal(at));
    });
    right->addWidget(tabs_, 1);
    row->addLayout(right, 1);

    connect(selector_, &QListWidget::currentRowChanged, this, [this](int i) { tabs_->setCurrentIndex(std::max(0, i)); });
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int i) {
        const QSignalBlocker block(selector_);
        selector_->setCurrentRow(i);
    });
    connect(main_.command(QStringLiteral("Action901")), &QAction::triggered, this, &DetailPanes::add);
    connect(main_.command(QStringLiteral("Action902")), &QAction::triggered, this, &DetailPanes::change);
    connect(main_.command(QStringLiteral("Action903")), &QAction::triggered, this, &DetailPanes::remove);
    connect(main_.command(QStringLiteral("Action904")), &QAction::triggered, this, &DetailPanes::sort);
    connect(main_.command(QStringLiteral("Action905")), &QAction::triggered, this, &DetailPanes::chooseFields);
    connect(main_.command(QStringLiteral("Action906")), &QAction::triggered, this, &DetailPanes::saveLayout);
    connect(main_.command(QStringLiteral("Action31")), &QAction::triggered, this, &DetailPanes::exportToExcel);
}

QString DetailPanes::layoutKey(int tab) { return QLatin1String(kPanes[tab].key); }

int DetailPanes::currentTab() const { return tabs_->currentIndex(); }

void DetailPanes::setCurrentTab(int tab) { tabs_->setCurrentIndex(tab); }

void DetailPanes::loadLayouts() {
    for (int i = 0; i < 3; ++i) LoadGridLayout(dm_, grids_[i], layoutKey(i));
}

void DetailPanes::showTrainee(qint64 mainId, bool byExamDate) {
    mainId_ = mainId;
    byExamDate_ = byExamDate;
    for (int i = 0; i < 3; ++i) reopen(i);
}

void DetailPanes::reopen(int tab) {
    if (mainId_ == 0) {
        grids_[tab]->close();
        return;
    }
    const QString order = tab == MakeUp && byExamDate_ ? QStringLiteral("F_BKdate") : QStringLiteral("F_editDate");
    grids_[tab]->open(dm_, QStringLiteral("select * from %1 where F_mainID = ? order by %2")
                               .arg(QLatin1String(kPanes[tab].table), order),
                      {mainId_});
}

void DetailPanes::add() {
    const int tab = currentTab();
    if (main_.traineeCount() == 0) {
        ShowMess(QString::fromUtf8(kPanes[tab].emptyAddMessage), 0);
        main_.focusTraineeGrid();
        return;
    }
    Q_EMIT editorRequested(tab, 0);
}

void DetailPanes::change() {
    const int tab = currentTab();
    if (grids_[tab]->rowCount() == 0) {
        ShowMess(QStringLiteral("此表为空，没有记录需要修改！"), 3);
        return;
    }
    Q_EMIT editorRequested(tab, 1);
}

void DetailPanes::remove() {
    const int tab = currentTab();
    DataGrid* grid = grids_[tab];
    if (grid->currentRow() < 0) return;
    const QString question = QString::fromUtf8(kPanes[tab].deleteQuestion)
                                 .arg(grid->value(QLatin1String(kPanes[tab].deleteDateField)).toString());
    if (ShowMess(question, 1) == 2) return;
    if (dm_.DeleteRecord(QLatin1String(kPanes[tab].table), grid->value(QStringLiteral("F_ID")).toLongLong()))
        reopen(tab);
}

void DetailPanes::sort() {
    if (const auto text = TfrmRowArrangeGl::choose(currentGrid())) currentGrid()->setSortText(*text);
}

void DetailPanes::chooseFields() { ChooseGridFields(currentGrid()); }

void DetailPanes::saveLayout() {
    if (ShowMess(QStringLiteral("真的要保存当前网格设置吗？"), 1) == 1)
        SaveGridLayout(dm_, currentGrid(), layoutKey(currentTab()));
}

void DetailPanes::exportToExcel() {
    ExportGridToExcel(currentGrid(), QString::fromUtf8(kPanes[currentTab()].sheet));
}
