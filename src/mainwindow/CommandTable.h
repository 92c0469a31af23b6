#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// The main window's commands. A command with a permission code is shown only to
// operators holding that code; a follower takes the visibility of the command
// it follows; the rest are always shown.
struct CommandInfo {
    QString name;        // objectName of the action
    QString category;
    QString caption;
    QString code;        // permission code, empty when not gated
    QString follows;     // name of the command whose visibility it takes
    QString buttonText;  // shorter text on tool buttons, empty when the caption fits
    QString menuText;    // the menu's own wording, empty when it is the caption
};

const QList<CommandInfo>& commandTable();

// A top menu and its entries: command names, "-" for a separator.
struct MenuInfo {
    QString name;
    QString title;
    QStringList entries;
};

const QList<MenuInfo>& menuTable();

// Visibility of every command for an operator: admin sees all, others what
// hasLimit grants, asked once per code in code order.
QHash<QString, bool> commandVisibility(bool admin, const std::function<bool(const QString& code)>& hasLimit);

// A top menu stays visible while one of its gated commands is, or when it has none.
bool menuVisible(const MenuInfo& menu, const QHash<QString, bool>& visibility);
