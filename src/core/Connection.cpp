#include "Connection.h"

#include <QFileInfo>

#include "DataDm.h"
#include "MessageService.h"

bool connectWithRecovery(TdmData& dm, const ConnectionHooks& hooks) {
    for (;;) {
        dm.config().reload();
        hooks.status(QStringLiteral("正在连接数据库 ....."));
        if (dm.open()) {
            hooks.status(QStringLiteral("连接成功，正在登录 ..."));
            return true;
        }
        hooks.hideSplash();
        const QString chosen = messageService().chooseOpenFile(QStringLiteral("连接网络数据库"), dm.home().dir(),
                                                               QStringLiteral("SQLite数据库 (*.db)"));
        if (chosen.isEmpty()) return false;
        const QString folder = QFileInfo(chosen).absolutePath() + u'/';
        if (!dm.config().writeString(QStringLiteral("config"), QStringLiteral("ds"), folder))
            ShowMess(QStringLiteral("无法写入配置文件：") + dm.config().path(), 3);
        hooks.showSplash();
    }
}
