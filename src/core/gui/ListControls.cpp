#include "ListControls.h"

#include <QComboBox>

#include "DataDm.h"

void setItems(QComboBox* box, const QStringList& entries) {
    box->clear();
    box->addItems(entries);
}

void SelectItemByText(const QString& text, QComboBox* box) {
    QStringList entries;
    for (int i = 0; i < box->count(); ++i) entries.append(box->itemText(i));
    const int index = TdmData::SelectItemByText(text, entries, -1);
    if (index >= 0) box->setCurrentIndex(index);
}
