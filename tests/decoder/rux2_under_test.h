// The exports under test: rux2.dll loaded once for the whole program under Wine, the exports linked
// in on the host.
#pragma once

#include "rux2_library/rux2_exports.h"

const Rux2Exports& Rux2();
