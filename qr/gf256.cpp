#include "gf256.h"

static_assert(kGf.exp[8] == 0x1D && kGf.exp[25] == 0x03 && kGf.exp[254] == 0x8E);
static_assert(kGf.log[0x1D] == 8);
