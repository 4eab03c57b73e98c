// CD3DDevice: the Direct3D 9 object and what it says about the display adapters. Used only to
// learn what the primary adapter can do; it creates no rendering device.
#pragma once

#include <d3d9.h>

#include "adapter_list.h"

class CD3DDevice {
 public:
  // Creates the Direct3D 9 object and enumerates its adapters at once.
  CD3DDevice();
  // Takes over the given object (none stands for a failed creation).
  explicit CD3DDevice(IDirect3D9* direct3d);
  virtual ~CD3DDevice();
  CD3DDevice(const CD3DDevice&) = delete;
  CD3DDevice& operator=(const CD3DDevice&) = delete;

  // The current adapter's record; none without a Direct3D 9 object or without adapters.
  const AdapterRecord* CurrentAdapter() const;
  const CAdpterList* Adapters() const { return adapters_; }

 private:
  IDirect3D9* direct3d_ = nullptr;
  CAdpterList* adapters_ = nullptr;
};
