#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QVariant>

// How trainee, staff and vehicle records keep a picture: a blob with the
// picture's bytes beside the picture's file name, whose extension tells the
// blob's format (ImageTypeOfFile). Only bitmap and JPEG blobs are stored, so a
// picture of any other readable format is stored as JPEG under a ".jpg" name:
// a photo the office loads from a GIF or PNG file must not vanish on saving.
class PictureStore {
public:
    struct Stored {
        QVariant blob;     // a null QByteArray variant when there is no picture
        QString fileName;  // without its folder
    };
    struct Loaded {
        QImage image;      // null when the record has no readable picture
        QString fileName;  // empty whenever the image is null
    };

    // What a record stores for the displayed picture and its name (a path or a bare file name).
    static Stored forSave(const QImage& image, const QString& name);
    // The picture a record holds; a name of another type or an unreadable blob gives no picture.
    static Loaded fromRecord(const QVariant& blob, const QString& fileName);
    // Reads a picture file: ".jpg"/".jpeg" names as JPEG whatever their content
    // looks like, any other name by what the reader recognises. Null on failure.
    static QImage readFile(const QString& path);
};
