#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include "DataDm.h"
#include "HomeSetup.h"
#include "Schema.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"

class TestSchema : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void deliveredSeedRows() {
        TestHome home;
        TdmData& dm = home.dm();
        QCOMPARE(dm.QueryText("select F_PassWord from OperList where F_Name = 'admin'"), QString());
        QCOMPARE(dm.QueryInt("select count(*) from Limits where F_flag = 1"), 34);
        QCOMPARE(dm.QueryText("select F_name from Limits where F_code = '104'"), QString("选项..."));
        QCOMPARE(dm.QueryInt("select count(*) from KeyValue"), 15);
        QCOMPARE(dm.QueryText("select F_Value from KeyValue where F_ID = 14"), QString("2"));
        QCOMPARE(dm.QueryInt("select count(*) from SysInfo"), 1);
        QCOMPARE(dm.QueryText("select F_BakPath from SysInfo"), home.path("backup"));
        QCOMPARE(dm.QueryInt("PRAGMA user_version"), Schema::currentVersion);

        for (const char* key : {"DovOrerMain", "bkdetail", "skdetail", "txdetail", "bkrecman", "skrecman", "empman",
                                "carman", "awokegl1", "dlgemprecxz", "dlgEmpListXz", "dlgCarListXz", "XueYuanTotalTJ",
                                "XueYuanDetailTJ", "XueYuanBKdetailTJ", "XueYuanSKdetailTJ", "XueYuanSKtotalTJ"})
            QVERIFY2(dm.QueryInt("select count(*) from cfg_Grid where F_name = ? and F_FieldName <> ''",
                                 {QString::fromLatin1(key).toLower()}) > 0, key);
        // Each stored column of the main grid names a real trainee column.
        QSqlQuery q;
        QVERIFY(dm.OpenSQL(q, "select F_FieldName from cfg_Grid where F_name = 'DovOrerMain'"));
        while (q.next())
            QVERIFY2(dm.QueryInt("select count(*) from pragma_table_info('T_employee') where name = ?",
                                 {q.value(0)}) == 1, qPrintable(q.value(0).toString()));

        for (const char* type : {"bkcartype", "itemname", "awoketime", "caption", "dept", "duty", "xueli", "opername"})
            QVERIFY2(dm.QueryInt("select count(*) from t_code where F_type = ? and trim(F_name) <> ''", {type}) > 0, type);
        QCOMPARE(dm.QueryInt("select count(*) from t_code where F_type = 'duty' and F_name in ('教练员', '业务员')"), 2);
        for (const char* table : {"T_employee", "EmpList", "CarList"})
            QVERIFY(dm.QueryInt("select count(*) from cfg_import where F_tablename = ? and F_iFlag = 1", {table}) > 0);
    }

    void createRefusesAnExistingFile() {
        QTemporaryDir tmp;
        const QString path = tmp.filePath("DovOrerData.db");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("a school's data");
        }
        QString error;
        QVERIFY(!Schema::createDatabase(path, &error));
        QVERIFY(!error.isEmpty());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("a school's data"));

        QVERIFY(HomeSetup::initHome(tmp.filePath("home"), &error));
        QVERIFY(!HomeSetup::initHome(tmp.filePath("home"), &error));
        QVERIFY(error.contains("已存在"));
    }

    void newerDatabaseIsRefused() {
        TestHome home;
        QSqlQuery(home.dm().database()).exec(QString("PRAGMA user_version = %1").arg(Schema::currentVersion + 1));
        QString error;
        QVERIFY(!home.dm().open(&error));
        QVERIFY(error.contains("更新版本"));
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
