#pragma once

#include <QString>
#include <functional>

#include "GridColumn.h"

class DataGrid;
class ResultModel;

// Writes a workbook with one sheet: row 1 the titles of the columns (hidden ones
// included), then every row in the model's current order. Values are written as
// stored, not as shown: a payment state as its number, a Yes/No as True/False,
// the no-date value as an empty cell; a column's display format becomes the
// cells' number format, other cells are text. The file appears only when it is
// complete. `progress` is told (rows written, rows in all) now and then.
bool writeGridWorkbook(const ResultModel& model, const GridColumns& columns, const QString& sheetName,
                       const QString& path, QString* error,
                       const std::function<void(int, int)>& progress = {});

// Asks where to save (suggesting "<sheet name>_<yyyyMMdd>.xlsx"), writes the
// grid's workbook with a progress bar on long grids, and opens it with the
// desktop's program. False when cancelled or when the file could not be written
// (told to the user; no file is left behind).
bool ExportGridToExcel(DataGrid* grid, const QString& sheetName);
