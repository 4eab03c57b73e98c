// Creating the Direct3D 9 object and its adapter list.
#include "d3d_device.h"

namespace {

// The interface version the engine was built against.
constexpr UINT kSdkVersion = 31;

}  // namespace

CD3DDevice::CD3DDevice() : CD3DDevice(Direct3DCreate9(kSdkVersion)) {}

CD3DDevice::CD3DDevice(IDirect3D9* direct3d) : direct3d_(direct3d) {
  if (direct3d_ == nullptr) return;
  adapters_ = new CAdpterList();
  adapters_->Enumerate(*direct3d_);
}

CD3DDevice::~CD3DDevice() {
  if (direct3d_ != nullptr) direct3d_->Release();
  delete adapters_;
}

const AdapterRecord* CD3DDevice::CurrentAdapter() const {
  return adapters_ != nullptr ? adapters_->Current() : nullptr;
}
