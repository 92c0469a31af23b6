#include "HeldCodes.h"

#include <QSqlQuery>

#include "DataDm.h"
#include "MessageService.h"
#include "Transaction.h"

HeldCodes::~HeldCodes() {
    if (dm_.isReady()) QSqlQuery(dm_.database()).exec(QStringLiteral("drop table if exists heldCodes"));
}

bool HeldCodes::open(const QString& typeKey) {
    return dm_.RunSQL(QStringLiteral("drop table if exists heldCodes")) &&
           dm_.RunSQL(QStringLiteral("create temporary table heldCodes (F_row integer primary key, F_ID integer, "
                                     "F_name text, F_code text)")) &&
           dm_.RunSQL(QStringLiteral("insert into heldCodes (F_ID, F_name, F_code) "
                                     "select F_ID, F_name, F_code from t_code where F_type = ? order by F_ID"),
                      {typeKey});
}

QString HeldCodes::listSql() {
    return QStringLiteral("select F_row, F_ID, F_name, F_code from heldCodes order by F_row");
}

qint64 HeldCodes::add() {
    if (!dm_.RunSQL(QStringLiteral("insert into heldCodes (F_ID, F_name, F_code) values (0, '', '')"))) return 0;
    return dm_.QueryInt(QStringLiteral("select max(F_row) from heldCodes"));
}

bool HeldCodes::set(qint64 row, const QString& name, const QString& code) {
    return dm_.RunSQL(QStringLiteral("update heldCodes set F_name = ?, F_code = ? where F_row = ?"), {name, code, row});
}

bool HeldCodes::save(const QString& typeKey) {
    QSqlDatabase db = dm_.database();
    {
        Transaction transaction(db);
        QSqlQuery q(db);
        bool ok = transaction.active() &&
                  q.exec(QStringLiteral("select F_ID, F_name, F_code from heldCodes order by F_row"));
        QSqlQuery write(db);
        while (ok && q.next()) {
            const qint64 id = q.value(0).toLongLong();
            ok = write.prepare(id > 0 ? QStringLiteral("update t_code set F_type = ?, F_name = ?, F_code = ? where F_ID = ?")
                                      : QStringLiteral("insert into t_code (F_type, F_name, F_code) values (?, ?, ?)"));
            write.addBindValue(typeKey);
            write.addBindValue(q.value(1));
            write.addBindValue(q.value(2));
            if (id > 0) write.addBindValue(id);
            ok = ok && write.exec();
        }
        q.finish();
        write.finish();
        if (!ok || !transaction.commit()) {
            ShowMess(QStringLiteral("保存失败，请检测数据库连接！"), MessageService::Error);
            return false;
        }
    }
    return open(typeKey);
}
