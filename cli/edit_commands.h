// What brevane-cli puts on a design: --name and --author on the records of
// record, export and edit, and edit's --pixels.
#pragma once

#include "arguments.h"
#include "design_record.h"

// The number of a design whose name keeps "{n}" as written: edit's, which has none.
inline constexpr int kNoDesignNumber = 0;

// A usage error when a text would not fit its field; the name as the design
// numbered `number` gets it, so give the largest number of a run.
void check_texts_fit(const Arguments& a, int number);

// Sets the fields --name and --author give, on the design numbered `number`.
void put_texts(const Arguments& a, int number, RecordBytes& record);

// brevane-cli edit RECORD.dat [--name TEXT] [--author TEXT] [--pixels PICTURE] -o OUT.dat
int run_edit(const Arguments& a);
