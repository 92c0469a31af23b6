#pragma once

#include <QDialog>

#include "GridColumn.h"

class QListWidget;

// The field chooser "字段列表": one tick per grid column in screen order.
class TFrmDispFieldXZ : public QDialog {
    Q_OBJECT
public:
    explicit TFrmDispFieldXZ(const GridColumns& columns, QWidget* parent = nullptr);
    // Whether each column, in screen order, is ticked.
    QList<bool> ticked() const;

private:
    QListWidget* list_;
};
