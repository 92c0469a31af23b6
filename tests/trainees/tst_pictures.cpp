#include <QAction>
#include <QFile>
#include <QLabel>
#include <QSqlQuery>
#include <QTest>

#include "CurrentOperator.h"
#include "FakeTraineeList.h"
#include "FrmCltEdit.h"
#include "FrmImageDisp.h"
#include "ModalDriver.h"
#include "PictureStore.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"

namespace {

// A 3x2 GIF, red with a blue top-left pixel (Qt reads GIF but cannot write it).
const QByteArray kGif = QByteArray::fromBase64("R0lGODlhAwACAPAAAP8AAAAA/yH5BAAAAAAALAAAAAADAAIAAAIDDH4FADs=");

QImage sample() {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.setPixel(0, 0, qRgb(0, 0, 255));
    return image;
}

bool closeTo(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) < 60 && std::abs(qGreen(a) - qGreen(b)) < 60 && std::abs(qBlue(a) - qBlue(b)) < 60;
}

void trigger(QWidget* window, const char* action) { window->findChild<QAction*>(QLatin1String(action))->trigger(); }

QString percent(const TfrmImageDisp& w) { return w.findChild<QLabel*>(QStringLiteral("StatusPanel4"))->text(); }

}  // namespace

class TestPictures : public QObject {
    Q_OBJECT

    QTemporaryDir files;

    // Writes a picture file of the format into the test folder.
    QString writeFile(const QString& name, const QByteArray& format) {
        const QString path = files.filePath(name);
        if (format == "GIF") {
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly) || f.write(kGif) != kGif.size()) return {};
            return path;
        }
        return sample().save(path, format.constData()) ? path : QString();
    }

private Q_SLOTS:
    void init() {
        OperatorValues op;
        op.name = QStringLiteral("张三");
        setCurrentOperator(op);
    }

    // Bitmaps stay bitmaps, JPEG stays JPEG, every other readable format is
    // stored as JPEG under a ".jpg" name, and each comes back as it was shown.
    void storageRoundTrip_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QString>("storedName");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("bmp") << "a.bmp" << QByteArray("BMP") << "a.bmp" << QByteArray("BM");
        QTest::newRow("jpg") << "photo.JPG" << QByteArray("JPG") << "photo.JPG" << QByteArray("\xFF\xD8");
        QTest::newRow("jpeg") << "b.jpeg" << QByteArray("JPG") << "b.jpeg" << QByteArray("\xFF\xD8");
        QTest::newRow("gif") << "c.gif" << QByteArray("GIF") << "c.jpg" << QByteArray("\xFF\xD8");
        QTest::newRow("png") << "d.Png" << QByteArray("PNG") << "d.jpg" << QByteArray("\xFF\xD8");
    }
    void storageRoundTrip() {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, format);
        QFETCH(QString, storedName);
        QFETCH(QByteArray, magic);
        const QString path = writeFile(fileName, format);
        QVERIFY(!path.isEmpty());
        const QImage shown = PictureStore::readFile(path);
        QCOMPARE(shown.size(), QSize(3, 2));

        const PictureStore::Stored stored = PictureStore::forSave(shown, path);
        QCOMPARE(stored.fileName, storedName);
        QVERIFY(stored.blob.toByteArray().startsWith(magic));
        const PictureStore::Loaded loaded = PictureStore::fromRecord(stored.blob, stored.fileName);
        QCOMPARE(loaded.fileName, storedName);
        QCOMPARE(loaded.image.size(), QSize(3, 2));
        QVERIFY(closeTo(loaded.image.pixel(2, 1), qRgb(255, 0, 0)));
    }

    void recordWithoutReadablePicture_data() {
        QTest::addColumn<QVariant>("blob");
        QTest::addColumn<QString>("name");
        const QByteArray jpeg = PictureStore::forSave(sample(), QStringLiteral("x.jpg")).blob.toByteArray();
        QTest::newRow("gif name") << QVariant(jpeg) << "x.gif";
        QTest::newRow("no name") << QVariant(jpeg) << "";
        QTest::newRow("no blob") << QVariant(QMetaType(QMetaType::QByteArray)) << "x.jpg";
        QTest::newRow("damaged blob") << QVariant(QByteArray("not a picture")) << "x.bmp";
    }
    void recordWithoutReadablePicture() {
        QFETCH(QVariant, blob);
        QFETCH(QString, name);
        const PictureStore::Loaded loaded = PictureStore::fromRecord(blob, name);
        QVERIFY(loaded.image.isNull());
        QVERIFY(loaded.fileName.isEmpty());
        QVERIFY(PictureStore::forSave(QImage(), QStringLiteral("/x/y.jpg")).blob.isNull());
    }

    void zoomStopsAtTheEndLevels() {
        TfrmImageDisp window;
        QImage picture(100, 50, QImage::Format_RGB32);
        picture.fill(Qt::green);
        window.setPicture(picture);
        window.show();
        QCOMPARE(percent(window), QStringLiteral("100%"));
        for (int i = 0; i < 6; ++i) trigger(&window, "actZoomIn");
        QCOMPARE(percent(window), QStringLiteral("1000%"));
        QVERIFY(!window.findChild<QAction*>(QStringLiteral("actZoomIn"))->isEnabled());
        QCOMPARE(window.findChild<QWidget*>(QStringLiteral("Image1"))->size(), QSize(1000, 500));
        QTest::keyClick(&window, Qt::Key_Space);
        QCOMPARE(window.zoomLevel(), 9);
        for (int i = 0; i < 8; ++i) trigger(&window, "actZoomOut");
        QCOMPARE(percent(window), QStringLiteral("5%"));
        QVERIFY(!window.findChild<QAction*>(QStringLiteral("actZoomOut"))->isEnabled());
        QVERIFY(window.findChild<QAction*>(QStringLiteral("actZoomIn"))->isEnabled());
        QCOMPARE(window.findChild<QWidget*>(QStringLiteral("Image1"))->size(), QSize(5, 3));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("StatusPanel3"))->text(), QStringLiteral("100x50"));
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(window.isVisible());
    }

    void exportWritesJpegOrBitmap_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("no ending") << "pic" << "pic.jpg" << QByteArray("\xFF\xD8");
        QTest::newRow("bitmap") << "pic.BMP" << "pic.bmp" << QByteArray("BM");
        QTest::newRow("gif becomes jpeg") << "pic.gif" << "pic.jpg" << QByteArray("\xFF\xD8");
    }
    void exportWritesJpegOrBitmap() {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(QByteArray, magic);
        ScriptedMessageService::Scope messages;
        QTemporaryDir out;
        messages->files.enqueue(out.filePath(chosen));
        TfrmImageDisp window;
        window.setPicture(sample());
        window.open(QStringLiteral("stored.jpg"));
        trigger(&window, "actExport");
        QFile file(out.filePath(written));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith(magic));
        QCOMPARE(window.pictureName(), QStringLiteral("stored.jpg"));
    }

    void unreadableFileChangesNothing() {
        ScriptedMessageService::Scope messages;
        const QString bad = files.filePath(QStringLiteral("bad.jpg"));
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("no picture here");
        f.close();
        messages->files.enqueue(bad);
        TfrmImageDisp window;
        window.setPicture(sample());
        window.open(QStringLiteral("photo7.jpg"));  // a stored name: no such file, the copied picture stays
        trigger(&window, "actLoad");
        QCOMPARE(messages->texts_of(3),
                 QStringList({QStringLiteral("读取文件：") + bad +
                              QStringLiteral("时发生错误！\n该文件不是标准格式的文件，或者该文件已经被损坏！")}));
        QCOMPARE(window.picture().size(), QSize(3, 2));
        QCOMPARE(window.pictureName(), QStringLiteral("photo7.jpg"));
    }

    // A photo loaded through the picture window is stored with the trainee and
    // shows again when the trainee is reopened, whatever format it came in.
    void loadedPhotoSurvivesTheSave_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QString>("storedName");
        QTest::newRow("jpeg") << "photo.JPG" << QByteArray("JPG") << "photo.JPG";
        QTest::newRow("bitmap") << "photo.bmp" << QByteArray("BMP") << "photo.bmp";
        QTest::newRow("gif") << "photo.gif" << QByteArray("GIF") << "photo.jpg";
    }
    void loadedPhotoSurvivesTheSave() {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, format);
        QFETCH(QString, storedName);
        ScriptedMessageService::Scope messages;
        TestHome home;
        QVERIFY(home.ok());
        FakeTraineeList list(home.dm());
        const QString path = writeFile(fileName, format);
        messages->files.enqueue(path);

        TfrmCltEdit editor(home.dm(), list);
        editor.prepare(TfrmCltEdit::NewTrainee);
        editor.show();
        whenModal(QStringLiteral("TfrmImageDisp"), [](QWidget* w) {
            trigger(w, "actLoad");
            trigger(w, "actSave");
        });
        editor.loadPicture();
        QCOMPARE(editor.pictureName(), path);
        QVERIFY(editor.save());
        QCOMPARE(home.dm().QueryText(QStringLiteral("select F_ImagePath from T_employee")), storedName);

        list.current = 0;
        TfrmCltEdit reopened(home.dm(), list);
        reopened.prepare(TfrmCltEdit::EditTrainee);
        QCOMPARE(reopened.pictureName(), storedName);
        QCOMPARE(reopened.picture().size(), QSize(3, 2));
        QVERIFY(messages->messages.isEmpty());
    }

    void clearedPhotoIsNotStored() {
        ScriptedMessageService::Scope messages;
        TestHome home;
        QVERIFY(home.ok());
        const PictureStore::Stored photo = PictureStore::forSave(sample(), QStringLiteral("p.jpg"));
        QVERIFY(home.dm().RunSQL(
            QStringLiteral("insert into T_employee (F_mainID, F_name, F_empImage, F_ImagePath) values (1, ?, ?, ?)"),
            {QStringLiteral("甲"), photo.blob, photo.fileName}));
        FakeTraineeList list(home.dm());
        TfrmCltEdit editor(home.dm(), list);
        editor.prepare(TfrmCltEdit::EditTrainee);
        editor.show();
        QCOMPARE(editor.pictureName(), QStringLiteral("p.jpg"));
        QSize copiedIn;
        whenModal(QStringLiteral("TfrmImageDisp"), [&](QWidget* w) {
            copiedIn = static_cast<TfrmImageDisp*>(w)->picture().size();
            trigger(w, "actClear");
            trigger(w, "actSave");
        });
        editor.loadPicture();
        QCOMPARE(copiedIn, QSize(3, 2));
        QVERIFY(editor.picture().isNull());
        QVERIFY(editor.save());
        QSqlQuery q;
        QVERIFY(home.dm().OpenSQL(q, QStringLiteral("select F_empImage, F_ImagePath from T_employee")) && q.next());
        QVERIFY(q.value(0).isNull());
        QCOMPARE(q.value(1).toString(), QString());
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
