#pragma once

#include <QDialog>
#include <optional>

#include "SortText.h"

class DataGrid;
class QTreeWidget;
class QTreeWidgetItem;

// The sort dialog "排序对话框": one row per grid column with an order that a
// double-click cycles (none, 升序, 降序); the rows' order from the top is the priority.
class TfrmRowArrangeGl : public QDialog {
    Q_OBJECT
public:
    explicit TfrmRowArrangeGl(DataGrid* grid, QWidget* parent = nullptr);

    // Opens the dialog on the grid; the sort text on "确定", nothing on "取消".
    static std::optional<QString> choose(DataGrid* grid);

    // The text built from the rows as they stand.
    QString sortText() const;
    void moveUp();
    void moveDown();

private:
    void cycleOrder(QTreeWidgetItem* item);
    void moveCurrent(int step);

    QList<SortText::FieldTitle> columns_;
    QTreeWidget* list_;
};
