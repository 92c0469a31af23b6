#include "GridFooter.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

#include "ResultModel.h"

GridFooter::GridFooter(QTableView* view, ResultModel* model, QWidget* parent)
    : QWidget(parent), view_(view), model_(model) {
    setObjectName(QStringLiteral("gridFooter"));
    QHeaderView* header = view->horizontalHeader();
    const auto refresh = [this] { update(); };
    connect(header, &QHeaderView::sectionResized, this, refresh);
    connect(header, &QHeaderView::sectionMoved, this, refresh);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, refresh);
    connect(model, &QAbstractItemModel::modelReset, this, refresh);
    connect(model, &QAbstractItemModel::dataChanged, this, refresh);
}

QSize GridFooter::sizeHint() const { return {100, fontMetrics().height() + 8}; }

void GridFooter::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().button());
    const QHeaderView* header = view_->horizontalHeader();
    const int left = view_->viewport()->geometry().left();
    for (int section = 0; section < model_->columnCount(); ++section) {
        if (header->isSectionHidden(section)) continue;
        const QRect cell(left + header->sectionViewportPosition(section), 0, header->sectionSize(section), height());
        p.setPen(palette().mid().color());
        p.drawRect(cell.adjusted(0, 0, -1, -1));
        const GridColumn& column = model_->columns()[section];
        p.setPen(palette().buttonText().color());
        p.drawText(cell.adjusted(3, 0, -3, 0), int(column.horizontalAlignment() | Qt::AlignVCenter), model_->footerText(column));
    }
}
