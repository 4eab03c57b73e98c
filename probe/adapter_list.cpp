// Enumerating the adapters: capabilities, display modes by format, identifier, current mode.
#include "adapter_list.h"

namespace {

// The display formats whose modes are kept, in this order.
const D3DFORMAT kDisplayFormats[] = {D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8, D3DFMT_A2R10G10B10,
                                     D3DFMT_X1R5G5B5, D3DFMT_A1R5G5B5, D3DFMT_R5G6B5};

}  // namespace

CAdpterList::~CAdpterList() {
  if (records_ != nullptr) LocalFree(records_);
}

void CAdpterList::Enumerate(IDirect3D9& direct3d) {
  const UINT count = direct3d.GetAdapterCount();
  if (count == 0) return;
  if (records_ != nullptr) LocalFree(records_);
  count_ = 0;
  records_ = static_cast<AdapterRecord*>(LocalAlloc(LPTR, sizeof(AdapterRecord) * count));
  if (records_ == nullptr) return;
  count_ = count;
  for (UINT adapter = 0; adapter < count_; ++adapter) EnumerateAdapter(direct3d, adapter, records_[adapter]);
  currentIndex_ = 0;
}

void CAdpterList::EnumerateAdapter(IDirect3D9& direct3d, UINT adapter, AdapterRecord& record) {
  record.modeCount = 0;
  // An adapter without hardware acceleration keeps an all-zero record.
  if (FAILED(direct3d.GetDeviceCaps(adapter, D3DDEVTYPE_HAL, &record.caps))) return;
  for (D3DFORMAT format : kDisplayFormats) {
    const UINT modes = direct3d.GetAdapterModeCount(adapter, format);
    for (UINT mode = 0; mode < modes && record.modeCount < kMaxModesPerAdapter; ++mode) {
      direct3d.EnumAdapterModes(adapter, format, mode, &record.modes[record.modeCount]);
      ++record.modeCount;
    }
  }
  direct3d.GetAdapterIdentifier(adapter, 0, &record.identifier);
  direct3d.GetAdapterDisplayMode(adapter, &record.currentMode);
}

const AdapterRecord* CAdpterList::Current() const { return Record(currentIndex_); }
