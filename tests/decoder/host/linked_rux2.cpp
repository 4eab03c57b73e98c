// Rux2() in the host build: the exports linked into the program.
#include "rux2_under_test.h"

const Rux2Exports& Rux2() {
  static const Rux2Exports exports = [] {
    Rux2Exports linked;
    linked.RUX_Init = &RUX_Init;
    linked.RUX_InputMemory = &RUX_InputMemory;
    linked.RUX_InputFile = &RUX_InputFile;
    linked.RUX_InputMemory2 = &RUX_InputMemory2;
    linked.RUX_InputFile2 = &RUX_InputFile2;
    linked.RUX_DetectConfigure = &RUX_DetectConfigure;
    linked.RUX_GetPcmFormat = &RUX_GetPcmFormat;
    linked.RUX_GetPcmLength = &RUX_GetPcmLength;
    linked.RUX_GetProcessFrame = &RUX_GetProcessFrame;
    linked.RUX_Replay = &RUX_Replay;
    linked.RUX_CloseCoder = &RUX_CloseCoder;
    linked.RUX_Close = &RUX_Close;
    return linked;
  }();
  return exports;
}
