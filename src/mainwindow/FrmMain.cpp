#include "FrmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QMenu>
#include <QMenuBar>

#include "Backup.h"
#include "CommandTable.h"
#include "CurrentOperator.h"
#include "DataDm.h"
#include "DispFormPos.h"
#include "FrmModPass.h"
#include "FrmOperGl.h"
#include "MessageService.h"

TFrmMain::TFrmMain(TdmData& dm, QWidget* parent) : QMainWindow(parent), dm_(dm) {
    setObjectName(QStringLiteral("TFrmMain"));
    setWindowTitle(programTitle() + versionText());
    createCommands();
    createMenus();
}

void TFrmMain::createCommands() {
    for (const CommandInfo& c : commandTable()) {
        auto* action = new QAction(c.caption, this);
        action->setObjectName(c.name);
        action->setProperty("category", c.category);
        if (!c.buttonText.isEmpty()) action->setIconText(c.buttonText);
        commands_.insert(c.name, action);
    }
    auto* relogin = new QAction(QStringLiteral("重新登录"), this);
    relogin->setObjectName(QStringLiteral("N43"));
    commands_.insert(relogin->objectName(), relogin);
    connect(relogin, &QAction::triggered, this, [this] { login(TfrmOperLogin::ReLogin); });
    auto* exit = new QAction(QStringLiteral("退出系统"), this);
    exit->setObjectName(QStringLiteral("miExit"));
    commands_.insert(exit->objectName(), exit);
    connect(exit, &QAction::triggered, this, &QWidget::close);

    connect(command(QStringLiteral("Action102")), &QAction::triggered, this, &TFrmMain::changePassword);
    connect(command(QStringLiteral("Action103")), &QAction::triggered, this, &TFrmMain::manageOperators);
}

void TFrmMain::createMenus() {
    for (const MenuInfo& m : menuTable()) {
        QMenu* menu = menuBar()->addMenu(m.title);
        menu->setObjectName(m.name);
        menu->menuAction()->setObjectName(m.name);
        for (const QString& entry : m.entries) {
            if (entry == QLatin1String("-"))
                menu->addSeparator();
            else
                menu->addAction(command(entry));
        }
        menus_.insert(m.name, menu);
    }
}

bool TFrmMain::login(TfrmOperLogin::Mode mode) {
    TfrmOperLogin window(dm_, mode, this);
    bool terminated = false;
    connect(&window, &TfrmOperLogin::loggedIn, this, &TFrmMain::SetLimits);
    connect(&window, &TfrmOperLogin::terminateRequested, this, [&terminated] { terminated = true; });
    const bool loggedIn = window.exec() == QDialog::Accepted;
    return loggedIn && !terminated;
}

void TFrmMain::SetLimits() {
    const QHash<QString, bool> visible =
        commandVisibility(currentOperator().isAdmin(), [this](const QString& code) { return dm_.HasLimit(code); });
    for (auto it = visible.begin(); it != visible.end(); ++it) command(it.key())->setVisible(it.value());
    for (const MenuInfo& m : menuTable()) menus_.value(m.name)->menuAction()->setVisible(menuVisible(m, visible));
}

void TFrmMain::changePassword() {
    TfrmModPass window(dm_, this);
    DispFormPos(&window, 1);
    window.exec();
}

void TFrmMain::manageOperators() {
    TfrmOperGl window(dm_, this);
    DispFormPos(&window, 0);
    window.exec();
}

void TFrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    backupMode_ = dm_.config().readInt(QStringLiteral("config"), QStringLiteral("ibak"), 0);
}

void TFrmMain::closeEvent(QCloseEvent* event) {
    const QString question = QStringLiteral("真的要退出“") + programTitle() + QStringLiteral("”软件吗？");
    if (ShowMess(question, MessageService::Question) != MessageService::Yes) {
        event->ignore();
        return;
    }
    Backup::offerBackupAtClose(dm_, backupMode_, QDate::currentDate());
    event->accept();
}
