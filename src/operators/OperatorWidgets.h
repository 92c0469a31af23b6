#pragma once

#include <QString>
#include <QStringList>

class QListWidget;
class QPushButton;
class QWidget;

// Controls the operator windows share.

// A push button that Enter on another input never presses.
QPushButton* plainButton(QWidget* parent, const char* objectName, const QString& text);

// A list of tick boxes laid out in columns, filled with the given texts.
QListWidget* tickList(QWidget* parent, const char* objectName, const QStringList& texts);
QStringList tickedTexts(const QListWidget* list);
void setTicked(QListWidget* list, int row, bool ticked);

// The trainee scopes 0, 1 and 2 as operator management names them.
const QStringList& traineeScopeTexts();
