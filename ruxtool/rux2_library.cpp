// Rux2Library: LoadLibraryA and GetProcAddress by name.
#include "rux2_library.h"

Rux2Library::Rux2Library() : module_(LoadLibraryA("rux2.dll")), ready_(module_ != nullptr) {
  Resolve("RUX_Init", RUX_Init);
  Resolve("RUX_InputMemory", RUX_InputMemory);
  Resolve("RUX_InputFile", RUX_InputFile);
  Resolve("RUX_InputMemory2", RUX_InputMemory2);
  Resolve("RUX_InputFile2", RUX_InputFile2);
  Resolve("RUX_DetectConfigure", RUX_DetectConfigure);
  Resolve("RUX_GetPcmFormat", RUX_GetPcmFormat);
  Resolve("RUX_GetPcmLength", RUX_GetPcmLength);
  Resolve("RUX_GetProcessFrame", RUX_GetProcessFrame);
  Resolve("RUX_Replay", RUX_Replay);
  Resolve("RUX_CloseCoder", RUX_CloseCoder);
  Resolve("RUX_Close", RUX_Close);
}

Rux2Library::~Rux2Library() {
  if (module_) FreeLibrary(module_);
}
