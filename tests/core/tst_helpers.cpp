#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "DataDm.h"
#include "DisplayRules.h"
#include "Helpers.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"

class TestHelpers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void passwords() {
        QCOMPARE(SavePass(QString()), QString());
        QVERIFY(CheckPass(QString(), QString()));
        QVERIFY(!CheckPass(QString(), " "));
        const QString stored = SavePass("秘密 ");
        QVERIFY(stored.startsWith("$argon2id$"));
        QVERIFY(!stored.contains("秘密"));
        QVERIFY(CheckPass(stored, "秘密 "));  // the trailing blank is part of the password
        QVERIFY(!CheckPass(stored, "秘密"));
        QVERIFY(!CheckPass(stored, ""));
        QVERIFY(SavePass("秘密 ") != stored);  // salted
    }

    void compaction() {
        TestHome home(200);
        TdmData& dm = home.dm();
        QVERIFY(dm.RunSQL("delete from T_employee"));
        const QString path = dm.databasePath();
        const qint64 before = QFileInfo(path).size();
        dm.close();
        QVERIFY(CompactDatabase(path));
        QVERIFY(QFileInfo(path).size() < before);
        QVERIFY(dm.QueryInt("select count(*) from OperList") > 0);  // reopened on demand

        QTemporaryDir tmp;
        const QString junk = tmp.filePath("junk.db");
        QFile f(junk);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a database");
        f.close();
        QVERIFY(!CompactDatabase(junk));
        QVERIFY(!CompactDatabase(tmp.filePath("missing.db")));
        QVERIFY(!QFileInfo::exists(tmp.filePath("missing.db")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("not a database"));
    }

    void imageTypeOfFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("type");
        QTest::newRow("bmp") << "a.BMP" << 1;
        QTest::newRow("jpg") << "照片.jpg" << 2;
        QTest::newRow("JPEG any case") << "/x/y.JpEg" << 2;
        QTest::newRow("gif") << "a.gif" << 3;
        QTest::newRow("png") << "a.png" << 0;
        QTest::newRow("none") << "jpg" << 0;
    }
    void imageTypeOfFile() {
        QFETCH(QString, name);
        QFETCH(int, type);
        QCOMPARE(ImageTypeOfFile(name), type);
    }

    void displayRules() {
        using namespace DisplayRules;
        QCOMPARE(dateText("1900-08-14"), QString());
        QCOMPARE(dateText("1901-08-13"), QString());
        QCOMPARE(dateText("1901-08-14"), QString("1901-08-14"));
        QCOMPARE(dateText(QVariant()), QString());
        QCOMPARE(dateText("2012-12-05 10:00:00"), QString("2012-12-05"));
        QCOMPARE(paymentStateText(0), QString("未付清"));
        QCOMPARE(paymentStateText(1), QString("已付清"));
        QCOMPARE(paymentStateText(2), QString("其  他"));
        QCOMPARE(paymentStateText(7), QString("其  他"));
        QCOMPARE(paymentStateText(QVariant()), QString("其  他"));
        QVERIFY(!yesNo(QVariant()));
        QVERIFY(yesNo(1));
    }

    void formatNumber_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two places") << 1234.5 << "0.00" << "1234.50";
        QTest::newRow("optional places") << 1234.5 << "0.##" << "1234.5";
        QTest::newRow("optional none") << 12.0 << "0.##" << "12";
        QTest::newRow("point without places") << 12.6 << "0." << "13";
        QTest::newRow("money") << 1234567.891 << "￥,0.00" << "￥1,234,567.89";
        QTest::newRow("money optional third") << 5.125 << "￥,0.00#" << "￥5.125";
        QTest::newRow("money negative") << -1500.0 << "￥,0.00" << "-￥1,500.00";
        QTest::newRow("small") << 0.5 << "#,##0.00" << "0.50";
        QTest::newRow("suffix") << 87.5 << "0.0%" << "87.5%";
        QTest::newRow("no format") << 3.25 << "" << "3.25";
    }
    void formatNumber() {
        QFETCH(double, value);
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QCOMPARE(DisplayRules::formatNumber(value, format), expected);
    }
};

QTEST_GUILESS_MAIN(TestHelpers)
#include "tst_helpers.moc"
