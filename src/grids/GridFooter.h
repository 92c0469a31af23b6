#pragma once

#include <QWidget>

class QTableView;
class ResultModel;

// The footer row under a grid: each column's static text or sum, drawn under its
// column and following the columns as they are resized, moved and scrolled.
class GridFooter : public QWidget {
    Q_OBJECT
public:
    GridFooter(QTableView* view, ResultModel* model, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTableView* view_;
    ResultModel* model_;
};
