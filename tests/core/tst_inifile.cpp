#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include "IniFile.h"

class TestIniFile : public QObject {
    Q_OBJECT

    QTemporaryDir tmp;

    QString write(const QString& name, const QByteArray& content) {
        const QString path = tmp.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(content);
        return path;
    }

    static QByteArray read(const QString& path) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private Q_SLOTS:
    void namesMatchWithoutCase() {
        IniFile ini(write("a.ini", "[config]\nds=/data/\nibak=2\n[Config]\nCurOperName=李四\n"));
        QCOMPARE(ini.readString("CONFIG", "DS"), QString("/data/"));
        QCOMPARE(ini.readInt("Config", "IBak"), 2);
        // The section written twice in different case is one section for the reader.
        QCOMPARE(ini.readString("config", "curopername"), QString("李四"));
        QVERIFY(ini.writeString("CONFIG", "curOperName", "王五"));
        IniFile again(ini.path());
        QCOMPARE(again.readString("config", "CurOperName"), QString("王五"));
        QCOMPARE(again.readString("Config", "ds"), QString("/data/"));
    }

    void writingKeepsEverythingElse() {
        const QString path = write("b.ini", "; school settings\n[config]\nds=\n\n[other]\nx = 1 ; kept\n");
        IniFile ini(path);
        QVERIFY(ini.writeInt("config", "ibak", 3));
        QVERIFY(ini.writeBool("sys", "bZDcode", true));
        QCOMPARE(read(path), QByteArray("; school settings\n[config]\nds=\nibak=3\n\n[other]\nx = 1 ; kept\n\n[sys]\nbZDcode=1\n"));
    }

    void missingOrGarbageValuesGiveDefaults_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("no file") << QByteArray();
        QTest::newRow("garbage") << QByteArray("[config]\nibak=zwei\n[sys]\nbZDcode=vielleicht\n");
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe[config\x01\nibak\n", 16);
    }
    void missingOrGarbageValuesGiveDefaults() {
        QFETCH(QByteArray, content);
        const QString path = content.isNull() ? tmp.filePath("none.ini") : write("g.ini", content);
        IniFile ini(path);
        QCOMPARE(ini.readInt("config", "ibak", 0), 0);
        QCOMPARE(ini.readBool("sys", "bZDcode", false), false);
        QCOMPARE(ini.readString("config", "ds"), QString());
    }

    void gbkFileIsRead() {
        QStringEncoder gbk("GBK");
        IniFile ini(write("gbk.ini", QByteArray("[Config]\nCurOperName=") + QByteArray(gbk.encode(QString("王小明"))) + "\n"));
        QCOMPARE(ini.readString("config", "CurOperName"), QString("王小明"));
    }

    void failedWriteIsReportedAndChangesNothing() {
        // A folder standing where the file should be makes every write fail, even for root.
        const QString path = tmp.filePath("blocked.ini");
        QVERIFY(QDir().mkpath(path));
        IniFile ini(path);
        QVERIFY(!ini.writeInt("config", "ibak", 2));
        QCOMPARE(ini.readInt("config", "ibak", 0), 0);
        QVERIFY(QFileInfo(path).isDir());
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
