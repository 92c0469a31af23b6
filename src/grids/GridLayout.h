#pragma once

#include <QString>

class DataGrid;
class TdmData;

// Stored grid layouts: the cfg_Grid rows of a grid key, one per field.

// Replaces the grid's columns by the stored ones in F_Order order; a key without
// rows keeps the grid's own columns. False on a database error (reported).
bool LoadGridLayout(TdmData& dm, DataGrid* grid, const QString& key);
// Writes the grid's columns in screen order back to the key's existing rows
// (positions from 0); a column without a stored row changes nothing, and a
// failing column is reported while the others are still written.
bool SaveGridLayout(TdmData& dm, DataGrid* grid, const QString& key);
// The field chooser: ticks set which columns show; nothing is stored.
void ChooseGridFields(DataGrid* grid);
