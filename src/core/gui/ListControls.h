#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

// Pick lists: the data module yields the entries (TdmData::FillItems), these put
// them into a combo box, and select an entry by its text.
void setItems(QComboBox* box, const QStringList& entries);
void SelectItemByText(const QString& text, QComboBox* box);
