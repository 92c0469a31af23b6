#include "NavigationPanel.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "DataGrid.h"
#include "TraineeQuery.h"

NavigationPanel::NavigationPanel(TdmData& dm, QWidget* parent) : QWidget(parent), dm_(dm) {
    setObjectName(QStringLiteral("NavigationPanel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);

    list_ = new DataGrid(this);
    list_->setObjectName(QStringLiteral("gridNav"));
    list_->setFooterVisible(false);
    list_->setColumns({GridColumn::forField(QStringLiteral("F_key"), QString(), 36),
                       GridColumn::forField(QStringLiteral("F_name"), QStringLiteral("查询类型"), 120)});
    column->addWidget(list_, 1);

    auto* typeRow = new QHBoxLayout;
    type_ = new QComboBox(this);
    type_->setObjectName(QStringLiteral("cbbNavType"));
    type_->addItems(TraineeQuery::navigationCaptions());
    auto* refresh = new QPushButton(QStringLiteral("刷新列表"), this);
    refresh->setObjectName(QStringLiteral("btnRefreshNav"));
    typeRow->addWidget(type_, 1);
    typeRow->addWidget(refresh);
    column->addLayout(typeRow);

    auto* box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("rgPayState"));
    auto* grid = new QGridLayout(box);
    payment_ = new QButtonGroup(this);
    const QStringList states = {QStringLiteral("全  部"), QStringLiteral("未付清"), QStringLiteral("已付清"),
                                QStringLiteral("其  他")};
    for (int i = 0; i < states.size(); ++i) {
        auto* radio = new QRadioButton(states[i], box);
        radio->setObjectName(QStringLiteral("rbPayState%1").arg(i));
        payment_->addButton(radio, i);
        grid->addWidget(radio, i / 2, i % 2);
    }
    payment_->button(0)->setChecked(true);
    column->addWidget(box);

    connect(type_, &QComboBox::currentIndexChanged, this, &NavigationPanel::fill);
    connect(refresh, &QPushButton::clicked, this, &NavigationPanel::fill);
    connect(payment_, &QButtonGroup::idClicked, this, &NavigationPanel::queryRequested);
    connect(list_, &DataGrid::currentRowChanged, this, [this] {
        if (!filling_) Q_EMIT queryRequested();
    });
}

int NavigationPanel::type() const { return type_->currentIndex(); }

std::optional<QString> NavigationPanel::value() const {
    if (list_->currentRow() <= 0) return std::nullopt;
    return list_->value(QStringLiteral("F_name")).toString();
}

int NavigationPanel::paymentState() const { return payment_->checkedId(); }

void NavigationPanel::fill() {
    filling_ = true;
    list_->open(dm_, TraineeQuery::navigationListSql(type()));
    list_->setCurrentRow(0);
    GridColumns columns = list_->columns();
    if (columns.size() > 1) {
        columns[1].caption = type_->currentText();
        list_->setColumns(columns);
    }
    filling_ = false;
    Q_EMIT queryRequested();
}
