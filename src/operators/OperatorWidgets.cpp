#include "OperatorWidgets.h"

#include <QListWidget>
#include <QPushButton>
#include <algorithm>

QPushButton* plainButton(QWidget* parent, const char* objectName, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(objectName));
    b->setAutoDefault(false);
    return b;
}

QListWidget* tickList(QWidget* parent, const char* objectName, const QStringList& texts) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(objectName));
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    // Two columns filled top to bottom; a long list grows more columns to the right.
    constexpr int kRowHeight = 22;
    constexpr int kMostRows = 17;
    list->setGridSize(QSize(170, kRowHeight));
    list->setMinimumSize(2 * 170 + 12, std::clamp<int>((texts.size() + 1) / 2, 6, kMostRows) * kRowHeight + 28);
    for (const QString& text : texts) {
        auto* item = new QListWidgetItem(text, list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    return list;
}

QStringList tickedTexts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked) texts.append(list->item(i)->text());
    return texts;
}

void setTicked(QListWidget* list, int row, bool ticked) {
    list->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

const QStringList& traineeScopeTexts() {
    static const QStringList texts{QStringLiteral("全部显示学员的档案"), QStringLiteral("显示本业务员的学员"),
                                   QStringLiteral("显示所列业务员学员")};
    return texts;
}
