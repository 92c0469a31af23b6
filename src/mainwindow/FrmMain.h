#pragma once

#include <QHash>
#include <QMainWindow>

#include "FrmOperLogin.h"

class QAction;
class QMenu;
class TdmData;

// The window the office works in all day. It owns every command of the
// program; the operator's permissions decide which of them are shown. Closing
// it asks first and may offer the automatic backup.
class TFrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFrmMain(TdmData& dm, QWidget* parent = nullptr);

    static QString programTitle() { return QStringLiteral("Velmor驾校学员管理软件 "); }
    static QString versionText() { return QStringLiteral("v1.80(企业版) "); }

    TdmData& dm() { return dm_; }
    int backupMode() const { return backupMode_; }

    // The command or menu entry by objectName, nullptr when there is none.
    QAction* command(const QString& name) const { return commands_.value(name); }
    QMenu* topMenu(const QString& name) const { return menus_.value(name); }

    // Shows the login window; true when an operator logged in. A first login
    // that fails or is cancelled returns false: the program must end.
    bool login(TfrmOperLogin::Mode mode);
    // Shows the commands the current operator may use and hides the rest.
    void SetLimits();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createCommands();
    void createMenus();
    void changePassword();
    void manageOperators();

    TdmData& dm_;
    int backupMode_ = 0;
    bool shownOnce_ = false;
    QHash<QString, QAction*> commands_;
    QHash<QString, QMenu*> menus_;
};
