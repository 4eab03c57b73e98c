// A Direct3D 9 object with made-up adapters: what the machine cannot give (an adapter whose
// capability query fails, one with too many display modes, a second adapter).
#pragma once

#include <d3d9.h>

#include <vector>

struct FakeAdapter {
  bool capsQueryFails = false;
  DWORD textureFilterCaps = 0;
  DWORD stretchRectFilterCaps = 0;
  UINT modesPerFormat = 0;  // for every display format
  const char* description = "fake adapter";
};

class FakeDirect3D : public IDirect3D9 {
 public:
  explicit FakeDirect3D(std::vector<FakeAdapter> adapters) : adapters_(std::move(adapters)) {}
  virtual ~FakeDirect3D() = default;

  ULONG References() const { return references_; }

  HRESULT WINAPI QueryInterface(REFIID, void** object) override;
  ULONG WINAPI AddRef() override { return ++references_; }
  ULONG WINAPI Release() override;
  HRESULT WINAPI RegisterSoftwareDevice(void*) override { return D3DERR_NOTAVAILABLE; }
  UINT WINAPI GetAdapterCount() override { return static_cast<UINT>(adapters_.size()); }
  HRESULT WINAPI GetAdapterIdentifier(UINT adapter, DWORD flags, D3DADAPTER_IDENTIFIER9* identifier) override;
  UINT WINAPI GetAdapterModeCount(UINT adapter, D3DFORMAT format) override;
  HRESULT WINAPI EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* displayMode) override;
  HRESULT WINAPI GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) override;
  HRESULT WINAPI CheckDeviceType(UINT, D3DDEVTYPE, D3DFORMAT, D3DFORMAT, BOOL) override { return D3DERR_NOTAVAILABLE; }
  HRESULT WINAPI CheckDeviceFormat(UINT, D3DDEVTYPE, D3DFORMAT, DWORD, D3DRESOURCETYPE, D3DFORMAT) override {
    return D3DERR_NOTAVAILABLE;
  }
  HRESULT WINAPI CheckDeviceMultiSampleType(UINT, D3DDEVTYPE, D3DFORMAT, BOOL, D3DMULTISAMPLE_TYPE, DWORD*) override {
    return D3DERR_NOTAVAILABLE;
  }
  HRESULT WINAPI CheckDepthStencilMatch(UINT, D3DDEVTYPE, D3DFORMAT, D3DFORMAT, D3DFORMAT) override {
    return D3DERR_NOTAVAILABLE;
  }
  HRESULT WINAPI CheckDeviceFormatConversion(UINT, D3DDEVTYPE, D3DFORMAT, D3DFORMAT) override {
    return D3DERR_NOTAVAILABLE;
  }
  HRESULT WINAPI GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) override;
  HMONITOR WINAPI GetAdapterMonitor(UINT) override { return nullptr; }
  HRESULT WINAPI CreateDevice(UINT, D3DDEVTYPE, HWND, DWORD, D3DPRESENT_PARAMETERS*, IDirect3DDevice9**) override {
    return D3DERR_NOTAVAILABLE;
  }

 private:
  bool Exists(UINT adapter) const { return adapter < adapters_.size(); }

  std::vector<FakeAdapter> adapters_;
  ULONG references_ = 1;
};

// The format of a mode as the fake enumerates it: the mode's width encodes adapter, format
// position and index, so that tests can see where a mode came from.
UINT FakeModeWidth(UINT adapter, D3DFORMAT format, UINT mode);
