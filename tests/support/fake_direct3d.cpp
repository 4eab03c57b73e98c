// FakeDirect3D: adapters, modes and capabilities from its description.
#include "fake_direct3d.h"

#include <cstring>

HRESULT WINAPI FakeDirect3D::QueryInterface(REFIID, void** object) {
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG WINAPI FakeDirect3D::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT WINAPI FakeDirect3D::GetAdapterIdentifier(UINT adapter, DWORD, D3DADAPTER_IDENTIFIER9* identifier) {
  if (!Exists(adapter)) return D3DERR_INVALIDCALL;
  std::memset(identifier, 0, sizeof *identifier);
  std::strncpy(identifier->Description, adapters_[adapter].description, sizeof identifier->Description - 1);
  identifier->DeviceId = 0x1000 + adapter;
  return D3D_OK;
}

UINT WINAPI FakeDirect3D::GetAdapterModeCount(UINT adapter, D3DFORMAT) {
  return Exists(adapter) ? adapters_[adapter].modesPerFormat : 0;
}

UINT FakeModeWidth(UINT adapter, D3DFORMAT format, UINT mode) {
  return adapter * 100000 + static_cast<UINT>(format) * 1000 + mode;
}

HRESULT WINAPI FakeDirect3D::EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* displayMode) {
  if (!Exists(adapter) || mode >= adapters_[adapter].modesPerFormat) return D3DERR_INVALIDCALL;
  displayMode->Width = FakeModeWidth(adapter, format, mode);
  displayMode->Height = 480;
  displayMode->RefreshRate = 60;
  displayMode->Format = format;
  return D3D_OK;
}

HRESULT WINAPI FakeDirect3D::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) {
  if (!Exists(adapter)) return D3DERR_INVALIDCALL;
  *displayMode = {1024, 768, 60, D3DFMT_X8R8G8B8};
  return D3D_OK;
}

HRESULT WINAPI FakeDirect3D::GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) {
  if (!Exists(adapter) || type != D3DDEVTYPE_HAL || adapters_[adapter].capsQueryFails) return D3DERR_NOTAVAILABLE;
  std::memset(caps, 0, sizeof *caps);
  caps->AdapterOrdinal = adapter;
  caps->DeviceType = type;
  caps->TextureFilterCaps = adapters_[adapter].textureFilterCaps;
  caps->StretchRectFilterCaps = adapters_[adapter].stretchRectFilterCaps;
  return D3D_OK;
}
