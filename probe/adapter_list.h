// CAdpterList: one record per display adapter, filled from the Direct3D 9 object it is given.
#pragma once

#include "adapter_record.h"

class CAdpterList {
 public:
  CAdpterList() = default;
  virtual ~CAdpterList();
  CAdpterList(const CAdpterList&) = delete;
  CAdpterList& operator=(const CAdpterList&) = delete;

  // Replaces the records with those of every adapter of direct3d; the current adapter becomes 0.
  void Enumerate(IDirect3D9& direct3d);

  UINT CurrentIndex() const { return currentIndex_; }
  UINT Count() const { return count_; }
  // The record at the current index, or none.
  const AdapterRecord* Current() const;
  const AdapterRecord* Record(UINT index) const { return index < count_ ? &records_[index] : nullptr; }

 private:
  void EnumerateAdapter(IDirect3D9& direct3d, UINT adapter, AdapterRecord& record);

  UINT currentIndex_ = 0;
  AdapterRecord* records_ = nullptr;
  UINT count_ = 0;
};
