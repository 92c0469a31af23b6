// The program: start-up window, database connection (with the recovery dialog),
// main window, the first login, then the event loop. It takes no arguments.
#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QThread>
#include <QTranslator>
#include <cstdio>
#include <memory>

#include "Connection.h"
#include "DataDm.h"
#include "DispFormPos.h"
#include "FrmMain.h"
#include "FrmSplash.h"
#include "GuiMessageService.h"

namespace {

bool displayAvailable() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void useChineseFont(QApplication& app) {
    const QString family = QStringLiteral("WenQuanYi Micro Hei");
    if (QFontDatabase::families().contains(family)) {
        QFont font(family);
        font.setPointSize(10);
        app.setFont(font);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!displayAvailable()) {
        std::fputs("没有可用的图形显示（DISPLAY 未设置），无法启动 Velmor 驾校学员管理软件。\n", stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velmor"));
    QApplication::setOrganizationName(QStringLiteral("Velmor"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velmor驾校学员管理软件(企业版)"));
    QTranslator qtChinese;
    if (qtChinese.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtChinese);
    useChineseFont(app);
    installMessageService(std::make_unique<GuiMessageService>());

    auto splash = std::make_unique<TfrmSplash>();
    const auto showSplash = [&splash] {
        splash = std::make_unique<TfrmSplash>();
        splash->show();
        QApplication::processEvents();
    };
    showSplash();

    TdmData dm(AppHome::locate());
    ConnectionHooks hooks;
    hooks.status = [&splash](const QString& text) {
        if (splash) splash->setStatus(text);
    };
    hooks.hideSplash = [&splash] { splash.reset(); };
    hooks.showSplash = showSplash;
    if (!connectWithRecovery(dm, hooks)) return 0;

    hooks.status(QStringLiteral("连接成功，正在登录 ....."));
    TFrmMain mainWindow(dm);
    DispFormPos(&mainWindow, 2);
    hooks.status(QStringLiteral("连接成功，正在登录 ..."));
    QThread::msleep(20);
    hooks.status(QStringLiteral("连接成功，正在登录 ....."));
    splash.reset();

    if (!mainWindow.login(TfrmOperLogin::FirstLogin)) return 0;
    mainWindow.show();
    return app.exec();
}
