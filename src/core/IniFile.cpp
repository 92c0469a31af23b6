#include "IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

bool isSectionLine(const QString& trimmed) {
    return trimmed.startsWith(u'[') && trimmed.endsWith(u']');
}

QString sectionName(const QString& trimmed) {
    return trimmed.mid(1, trimmed.size() - 2).trimmed();
}

bool isComment(const QString& trimmed) {
    return trimmed.isEmpty() || trimmed.startsWith(u';') || trimmed.startsWith(u'#');
}

// Files written by older office tools may be GBK; read them rather than show mojibake.
QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    QStringDecoder gbk("GBK");
    if (gbk.isValid()) return gbk.decode(bytes);
    return QString::fromLatin1(bytes);
}

}  // namespace

IniFile::IniFile(QString path) : path_(std::move(path)) { reload(); }

void IniFile::reload() {
    lines_.clear();
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) return;
    QString text = decode(file.readAll());
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines_ = text.split(u'\n');
    if (!lines_.isEmpty() && lines_.last().isEmpty()) lines_.removeLast();
}

int IniFile::findSection(const QString& section) const {
    for (int i = 0; i < lines_.size(); ++i) {
        const QString t = lines_[i].trimmed();
        if (isSectionLine(t) && sectionName(t).compare(section, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

int IniFile::findKey(int sectionLine, const QString& key) const {
    for (int i = sectionLine + 1; i < lines_.size(); ++i) {
        const QString t = lines_[i].trimmed();
        if (isSectionLine(t)) break;
        if (isComment(t)) continue;
        const int eq = t.indexOf(u'=');
        if (eq > 0 && t.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

int IniFile::keyLine(const QString& section, const QString& key) const {
    // A section may appear twice in a hand-edited file; the first holding the key wins.
    for (int i = 0; i < lines_.size(); ++i) {
        const QString t = lines_[i].trimmed();
        if (!isSectionLine(t) || sectionName(t).compare(section, Qt::CaseInsensitive) != 0) continue;
        const int k = findKey(i, key);
        if (k >= 0) return k;
    }
    return -1;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    const int k = keyLine(section, key);
    if (k < 0) return def;
    const QString& line = lines_[k];
    return line.mid(line.indexOf(u'=') + 1).trimmed();
}

int IniFile::readInt(const QString& section, const QString& key, int def) const {
    bool ok = false;
    const int value = readString(section, key).toInt(&ok);
    return ok ? value : def;
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const {
    const QString v = readString(section, key).toLower();
    if (v == u"1" || v == u"true") return true;
    if (v == u"0" || v == u"false") return false;
    return def;
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    const QStringList before = lines_;
    const QString entry = key + u'=' + value;
    const int s = findSection(section);
    const int k = keyLine(section, key);
    if (k >= 0) {
        const QString& line = lines_[k];
        lines_[k] = line.left(line.indexOf(u'=')).trimmed() + u'=' + value;
    } else if (s >= 0) {
        // Append after the last non-blank line of the section.
        int end = s + 1;
        while (end < lines_.size() && !isSectionLine(lines_[end].trimmed())) ++end;
        int insertAt = end;
        while (insertAt > s + 1 && lines_[insertAt - 1].trimmed().isEmpty()) --insertAt;
        lines_.insert(insertAt, entry);
    } else {
        if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty()) lines_.append(QString());
        lines_.append(u'[' + section + u']');
        lines_.append(entry);
    }
    if (save()) return true;
    lines_ = before;
    return false;
}

bool IniFile::writeInt(const QString& section, const QString& key, int value) {
    return writeString(section, key, QString::number(value));
}

bool IniFile::writeBool(const QString& section, const QString& key, bool value) {
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::save() const {
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const QByteArray bytes = (lines_.join(u'\n') + u'\n').toUtf8();
    if (file.write(bytes) != bytes.size()) return false;
    return file.commit();
}
