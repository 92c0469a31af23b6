#include "AppHome.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

void copyMissing(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + u'/' + QDir(from).relativeFilePath(source);
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else if (!QFileInfo::exists(target))
            QFile::copy(source, target);
    }
}

}  // namespace

AppHome::AppHome(QString dir) : dir_(QDir::cleanPath(QDir(dir).absolutePath())) {}

AppHome AppHome::locate() {
    const QString env = qEnvironmentVariable("VELMOR_HOME").trimmed();
    if (!env.isEmpty()) return AppHome(env);
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(exeDir).isWritable()) return AppHome(exeDir);
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(userDir);
    for (const char* name : {"config.ini", "readme.txt", "Qr", "data", "sample1.xls", "sample2.xls", "sample3.xls"}) {
        const QString source = exeDir + u'/' + QLatin1String(name);
        const QString target = userDir + u'/' + QLatin1String(name);
        if (QFileInfo(source).isDir())
            copyMissing(source, target);
        else if (QFileInfo::exists(source) && !QFileInfo::exists(target))
            QFile::copy(source, target);
    }
    return AppHome(userDir);
}

QString AppHome::filePath(const QString& name) const { return dir_ + u'/' + name; }
