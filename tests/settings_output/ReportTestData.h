#pragma once

#include <QString>
#include <QStringList>

#include "ReportSource.h"

class TdmData;

namespace ReportTestData {

ReportSource source(const QString& name, const QStringList& columns, const QList<QVariantList>& rows);
// Every row of a statement on the test home's database.
ReportSource query(TdmData& dm, const QString& name, const QString& sql);
// The text layer of a PDF as pdftotext reads it (layout kept).
QString pdfText(const QString& path);

}  // namespace ReportTestData
