// Rux2() in the Windows build: rux2.dll loaded once for the whole program, as the engine loads it.
#include "rux2_library/rux2_library.h"
#include "rux2_under_test.h"

const Rux2Exports& Rux2() {
  static const Rux2Library library;
  return library;
}
