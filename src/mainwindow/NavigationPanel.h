#pragma once

#include <QWidget>
#include <optional>

class DataGrid;
class QButtonGroup;
class QComboBox;
class TdmData;

// The navigation panel left of the trainee list: a list of the values of one
// type (licence classes, coaches, plates or salesmen) headed by "全部", the type
// box with "刷新列表", and the payment-state radio group.
class NavigationPanel : public QWidget {
    Q_OBJECT
public:
    explicit NavigationPanel(TdmData& dm, QWidget* parent = nullptr);

    int type() const;
    // The chosen value; nullopt on the "全部" row.
    std::optional<QString> value() const;
    int paymentState() const;
    DataGrid* list() const { return list_; }

    // Refills the value list for the current type and falls back to "全部";
    // then asks for the trainee query.
    void fill();

Q_SIGNALS:
    void queryRequested();

private:
    TdmData& dm_;
    DataGrid* list_;
    QComboBox* type_;
    QButtonGroup* payment_;
    bool filling_ = false;
};
