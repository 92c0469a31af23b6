#include "SearchBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "TraineeQuery.h"

SearchBar::SearchBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SearchBar"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);

    navToggle_ = new QToolButton(this);
    navToggle_->setObjectName(QStringLiteral("btnNavToggle"));
    navToggle_->setArrowType(Qt::LeftArrow);
    navToggle_->setToolTip(QStringLiteral("显示或隐藏导航列表"));
    row->addWidget(navToggle_);

    includeFinished_ = new QCheckBox(QStringLiteral("包含已通过"), this);
    includeFinished_->setObjectName(QStringLiteral("cbIncludeFinished"));
    row->addWidget(includeFinished_);

    auto* fieldLabel = new QLabel(QStringLiteral("搜索(&V)"), this);
    field_ = new QComboBox(this);
    field_->setObjectName(QStringLiteral("cbbSearchField"));
    field_->addItems(TraineeQuery::searchFieldCaptions());
    field_->setCurrentIndex(-1);
    field_->setMinimumContentsLength(6);
    fieldLabel->setBuddy(field_);
    row->addWidget(fieldLabel);
    row->addWidget(field_);

    auto* textLabel = new QLabel(QStringLiteral("值(&V)"), this);
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("edtSearchText"));
    text_->setMinimumWidth(160);
    textLabel->setBuddy(text_);
    row->addWidget(textLabel);
    row->addWidget(text_);

    auto* search = new QPushButton(QStringLiteral("查找(F3)"), this);
    search->setObjectName(QStringLiteral("btnSearch"));
    row->addWidget(search);
    advanced_ = new QPushButton(QStringLiteral("高级查找..."), this);
    advanced_->setObjectName(QStringLiteral("btnAdvancedSearch"));
    advanced_->setCheckable(true);
    row->addWidget(advanced_);
    row->addStretch(1);

    connect(includeFinished_, &QCheckBox::toggled, this, &SearchBar::queryRequested);
    connect(text_, &QLineEdit::textChanged, this, &SearchBar::queryRequested);
    connect(search, &QPushButton::clicked, this, &SearchBar::queryRequested);
    connect(advanced_, &QPushButton::clicked, this, &SearchBar::advancedClicked);
}

bool SearchBar::includeFinished() const { return includeFinished_->isChecked(); }
int SearchBar::searchField() const { return field_->currentIndex(); }
QString SearchBar::searchText() const { return text_->text(); }

void SearchBar::releaseAdvanced() {
    advanced_->setChecked(false);
    advanced_->setStyleSheet(QString());
}

void SearchBar::holdAdvanced() {
    advanced_->setChecked(true);
    advanced_->setStyleSheet(QStringLiteral("color: red;"));
}
