// A d3d9.dll that hands out made-up adapters, put beside veskconf.exe to show the graphic page
// what this machine's adapter cannot: FAKE_D3D9 says which.
//   none                    Direct3DCreate9 fails
//   fail                    one adapter whose capability query fails
//   <texture>,<stretch>     one adapter with these filter capability bits (hexadecimal)
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "fake_direct3d.h"

extern "C" IDirect3D9* WINAPI Direct3DCreate9(UINT) {
  char setting[64] = {};
  GetEnvironmentVariableA("FAKE_D3D9", setting, sizeof setting);
  if (std::strcmp(setting, "none") == 0) return nullptr;
  FakeAdapter adapter;
  adapter.modesPerFormat = 2;
  if (std::strcmp(setting, "fail") == 0) {
    adapter.capsQueryFails = true;
  } else {
    char* rest = nullptr;
    adapter.textureFilterCaps = std::strtoul(setting, &rest, 16);
    if (rest != nullptr && *rest == ',') adapter.stretchRectFilterCaps = std::strtoul(rest + 1, nullptr, 16);
  }
  return new FakeDirect3D({adapter});
}
