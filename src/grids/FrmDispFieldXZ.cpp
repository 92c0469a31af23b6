#include "FrmDispFieldXZ.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "DispFormPos.h"

TFrmDispFieldXZ::TFrmDispFieldXZ(const GridColumns& columns, QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)) {
    setObjectName(QStringLiteral("TFrmDispFieldXZ"));
    setWindowTitle(QStringLiteral("字段列表"));
    list_->setObjectName(QStringLiteral("lbFields"));
    for (const GridColumn& c : columns) {
        auto* item = new QListWidgetItem(c.caption, list_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(c.visible ? Qt::Checked : Qt::Unchecked);
    }
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    resize(260, 400);
    DispFormPos(this, 1);
}

QList<bool> TFrmDispFieldXZ::ticked() const {
    QList<bool> result;
    for (int i = 0; i < list_->count(); ++i) result.append(list_->item(i)->checkState() == Qt::Checked);
    return result;
}
