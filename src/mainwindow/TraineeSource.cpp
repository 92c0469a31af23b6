#include "TraineeSource.h"

#include "DataGrid.h"

ReportSource traineeSource(const DataGrid& grid) {
    ReportSource source;
    source.name = QStringLiteral("frxMain");
    const ResultModel& model = *grid.model();
    for (int f = 0; f < model.fieldCount(); ++f) source.columns.append(model.fieldName(f));
    source.rows.reserve(model.rowCount());
    for (int row = 0; row < model.rowCount(); ++row) {
        QVariantList values;
        values.reserve(model.fieldCount());
        for (int f = 0; f < model.fieldCount(); ++f) values.append(model.value(row, f));
        source.rows.append(values);
    }
    source.current = std::max(0, grid.currentRow());
    return source;
}
