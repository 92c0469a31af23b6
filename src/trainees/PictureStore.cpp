#include "PictureStore.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include "DisplayRules.h"

namespace {

QByteArray encode(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, format) ? bytes : QByteArray();
}

QVariant noBlob() { return QVariant(QMetaType(QMetaType::QByteArray)); }

}  // namespace

PictureStore::Stored PictureStore::forSave(const QImage& image, const QString& name) {
    QString fileName = QFileInfo(name.trimmed()).fileName();
    if (image.isNull()) return {noBlob(), fileName};
    const int type = ImageTypeOfFile(fileName);
    if (type == 1) return {encode(image, "BMP"), fileName};
    if (type != 2) {
        const QString base = QFileInfo(fileName).completeBaseName();
        fileName = (base.isEmpty() ? QStringLiteral("photo") : base) + QStringLiteral(".jpg");
    }
    // Photos are kept opaque: a transparent PNG or GIF would come back black in JPEG.
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter(&opaque).drawImage(0, 0, image);
    return {encode(opaque, "JPG"), fileName};
}

PictureStore::Loaded PictureStore::fromRecord(const QVariant& blob, const QString& fileName) {
    const int type = ImageTypeOfFile(fileName);
    if (blob.isNull() || (type != 1 && type != 2)) return {};
    const QImage image = QImage::fromData(blob.toByteArray(), type == 1 ? "BMP" : "JPG");
    if (image.isNull()) return {};
    return {image, fileName};
}

QImage PictureStore::readFile(const QString& path) {
    QImageReader reader(path);
    if (ImageTypeOfFile(path) == 2) reader.setFormat("jpeg");
    return reader.read();
}
