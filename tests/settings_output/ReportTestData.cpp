#include "ReportTestData.h"

#include <QProcess>
#include <QSqlQuery>
#include <QTest>

#include "DataDm.h"

namespace ReportTestData {

ReportSource source(const QString& name, const QStringList& columns, const QList<QVariantList>& rows) {
    return ReportSource{name, columns, rows, 0};
}

ReportSource query(TdmData& dm, const QString& name, const QString& sql) {
    QSqlQuery q(dm.database());
    if (!dm.OpenSQL(q, sql)) QTest::qFail(qPrintable("statement failed: " + sql), __FILE__, __LINE__);
    return ReportSource::fromQuery(name, q);
}

QString pdfText(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace ReportTestData
