#include "FrmMain.h"

#include <QCloseEvent>
#include <QDate>

#include "Backup.h"
#include "DataDm.h"
#include "MessageService.h"

TFrmMain::TFrmMain(TdmData& dm, QWidget* parent) : QMainWindow(parent), dm_(dm) {
    setObjectName(QStringLiteral("TFrmMain"));
    setWindowTitle(programTitle() + versionText());
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
