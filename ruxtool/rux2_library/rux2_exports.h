// The twelve exports of rux2, as a table of functions: resolved from rux2.dll by the tool and the
// Windows tests, linked in directly by the host build's tests and measurements.
#pragma once

#include "rux2.h"

struct Rux2Exports {
  decltype(&::RUX_Init) RUX_Init = nullptr;
  decltype(&::RUX_InputMemory) RUX_InputMemory = nullptr;
  decltype(&::RUX_InputFile) RUX_InputFile = nullptr;
  decltype(&::RUX_InputMemory2) RUX_InputMemory2 = nullptr;
  decltype(&::RUX_InputFile2) RUX_InputFile2 = nullptr;
  decltype(&::RUX_DetectConfigure) RUX_DetectConfigure = nullptr;
  decltype(&::RUX_GetPcmFormat) RUX_GetPcmFormat = nullptr;
  decltype(&::RUX_GetPcmLength) RUX_GetPcmLength = nullptr;
  decltype(&::RUX_GetProcessFrame) RUX_GetProcessFrame = nullptr;
  decltype(&::RUX_Replay) RUX_Replay = nullptr;
  decltype(&::RUX_CloseCoder) RUX_CloseCoder = nullptr;
  decltype(&::RUX_Close) RUX_Close = nullptr;
};
