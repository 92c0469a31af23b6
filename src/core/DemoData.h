#pragma once

#include <QSqlDatabase>
#include <QString>

// Deterministic, realistic demo records for trying the program and for the
// benchmarks: staff (coaches, salesmen, office), vehicles, trainees across the
// licence classes and years, and their make-up exam, payment and reminder
// records. The same count always gives the same data.
namespace DemoData {

bool fill(QSqlDatabase db, int trainees, QString* error);

}  // namespace DemoData
