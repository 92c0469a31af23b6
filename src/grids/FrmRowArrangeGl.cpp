#include "FrmRowArrangeGl.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "DataGrid.h"
#include "DispFormPos.h"

namespace {
const QStringList kOrderTexts = {QString(), QStringLiteral("升序"), QStringLiteral("降序")};
}

TfrmRowArrangeGl::TfrmRowArrangeGl(DataGrid* grid, QWidget* parent) : QDialog(parent), list_(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("TfrmRowArrangeGl"));
    setWindowTitle(QStringLiteral("排序对话框"));
    list_->setObjectName(QStringLiteral("lvOrder"));
    list_->setColumnCount(2);
    list_->setHeaderLabels({QStringLiteral("列标题"), QStringLiteral("排序方式")});
    list_->setRootIsDecorated(false);
    list_->setDragDropMode(QAbstractItemView::InternalMove);
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (const GridColumn& c : grid->columns()) {
        columns_.append({c.fieldName, c.caption});
        auto* item = new QTreeWidgetItem(list_, {c.caption, QString()});
        // Rows are dropped between rows, never into one.
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    }
    if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { cycleOrder(item); });

    auto* hint = new QLabel(
        QStringLiteral("提示：双击空白处切换排序方式（升降无），单击上下移动键调整优先顺序"), this);
    hint->setWordWrap(true);
    const auto button = [this](const QString& name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* up = button(QStringLiteral("btnUp"), QStringLiteral("上移"));
    QPushButton* down = button(QStringLiteral("btnDown"), QStringLiteral("下移"));
    QPushButton* ok = button(QStringLiteral("btnOK"), QStringLiteral("确定"));
    QPushButton* cancel = button(QStringLiteral("btnCancel"), QStringLiteral("取消"));
    connect(up, &QPushButton::clicked, this, &TfrmRowArrangeGl::moveUp);
    connect(down, &QPushButton::clicked, this, &TfrmRowArrangeGl::moveDown);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(up);
    buttons->addWidget(down);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    resize(360, 420);
    DispFormPos(this, 1);
}

std::optional<QString> TfrmRowArrangeGl::choose(DataGrid* grid) {
    TfrmRowArrangeGl dialog(grid, grid->window());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.sortText();
}

void TfrmRowArrangeGl::cycleOrder(QTreeWidgetItem* item) {
    if (!item) return;
    const int next = (int(kOrderTexts.indexOf(item->text(1))) + 1) % 3;
    item->setText(1, kOrderTexts[next]);
}

void TfrmRowArrangeGl::moveCurrent(int step) {
    QTreeWidgetItem* item = list_->currentItem();
    if (!item) return;
    const int row = list_->indexOfTopLevelItem(item);
    const int target = row + step;
    if (target < 0 || target >= list_->topLevelItemCount()) return;
    list_->takeTopLevelItem(row);
    list_->insertTopLevelItem(target, item);
    list_->setCurrentItem(item);
}

void TfrmRowArrangeGl::moveUp() { moveCurrent(-1); }

void TfrmRowArrangeGl::moveDown() { moveCurrent(1); }

QString TfrmRowArrangeGl::sortText() const {
    QList<SortText::DialogRow> rows;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list_->topLevelItem(i);
        rows.append({item->text(0), int(kOrderTexts.indexOf(item->text(1)))});
    }
    return SortText::fromDialogRows(rows, columns_);
}
