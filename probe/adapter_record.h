// What the probe keeps of one display adapter.
#pragma once

#include <d3d9.h>

constexpr UINT kMaxModesPerAdapter = 1024;

struct AdapterRecord {
  D3DCAPS9 caps;  // for the hardware device type; all zero when the query failed
  D3DDISPLAYMODE modes[kMaxModesPerAdapter];
  UINT modeCount;
  D3DADAPTER_IDENTIFIER9 identifier;
  D3DDISPLAYMODE currentMode;
};
