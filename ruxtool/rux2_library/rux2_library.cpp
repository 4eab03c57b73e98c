// Rux2Library: LoadLibraryW and GetProcAddress by name.
#include "rux2_library/rux2_library.h"

#include <string>

namespace {

// Windows looks in the program's own folder first; a release keeps the tool in tools\, one below the
// game's rux2.dll. The folder's path is taken in UTF-16: in the ANSI code page a name outside it is
// lost, and the second byte of a two-byte character may be a backslash's code.
HMODULE LoadRux2() {
  if (HMODULE module = LoadLibraryW(L"rux2.dll")) return module;
  std::wstring folder(32768, L'\0');
  folder.resize(GetModuleFileNameW(nullptr, &folder[0], static_cast<DWORD>(folder.size())));
  folder.erase(folder.find_last_of(L'\\') + 1);
  return LoadLibraryW((folder + L"..\\rux2.dll").c_str());
}

}  // namespace

Rux2Library::Rux2Library() : module_(LoadRux2()), ready_(module_ != nullptr) {
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
