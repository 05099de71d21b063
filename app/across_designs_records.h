// The records of the dither across designs, computed once for the whole grid of
// the picture on show and kept, so that stepping shows them and the export
// writes them. They are dropped when the picture, the grid or the reduction changes.
#pragma once

#include <windows.h>

#include <vector>

#include "conversion_plan.h"
#include "design_record.h"

// Makes sure the records of the plan's source and the current grid are kept:
// if not, computes them on this thread in the progress window ("つなぎ目なしで
// 減色中", キャンセル). False when there is no source, the user cancelled, or
// the grid is too large for the memory there is (said in a message box); never
// called while they are being computed.
bool across_designs_records_ready(HWND main_window, const ConversionPlan& plan);

// The kept records in row-major order (after across_designs_records_ready).
const std::vector<RecordBytes>& kept_across_designs_records();

// Whether they are being computed: messages are handled meanwhile, and nothing
// may convert a design until they are done.
bool across_designs_computing();

// Frees the kept records: the reduction in force is another.
void drop_across_designs_records();
