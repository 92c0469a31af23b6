#pragma once

#include "ReportSource.h"

class DataGrid;

// The trainee list as the reports see it ("frxMain"): its rows in the grid's
// current order, the current row being the grid's.
ReportSource traineeSource(const DataGrid& grid);
