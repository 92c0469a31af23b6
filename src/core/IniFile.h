#pragma once

#include <QString>
#include <QStringList>

// config.ini reader and writer. Section and key names match without regard to
// letter case (the program writes both "config" and "Config"), and every line the
// program does not touch - comments, unknown sections, order - is written back as
// it was. Each change is saved at once, atomically.
class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return path_; }
    void reload();

    QString readString(const QString& section, const QString& key, const QString& def = {}) const;
    // A missing key or a value that is not a whole number yields the default.
    int readInt(const QString& section, const QString& key, int def = 0) const;
    // "1"/"0" as the program writes them; "true"/"false" are read too, anything else gives the default.
    bool readBool(const QString& section, const QString& key, bool def = false) const;

    // Returns false when the file could not be written; the file is then left as it was.
    bool writeString(const QString& section, const QString& key, const QString& value);
    bool writeInt(const QString& section, const QString& key, int value);
    bool writeBool(const QString& section, const QString& key, bool value);

private:
    int findSection(const QString& section) const;
    int findKey(int sectionLine, const QString& key) const;
    int keyLine(const QString& section, const QString& key) const;
    bool save() const;

    QString path_;
    QStringList lines_;
};
