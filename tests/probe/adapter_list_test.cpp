// The probe over fake adapter sets and over Wine's real Direct3D 9.
#include "d3d_device.h"

#include <gtest/gtest.h>

#include "fake_direct3d.h"

namespace {

const D3DFORMAT kFormatOrder[] = {D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8, D3DFMT_A2R10G10B10,
                                  D3DFMT_X1R5G5B5, D3DFMT_A1R5G5B5, D3DFMT_R5G6B5};

bool AllZero(const void* bytes, std::size_t size) {
  const auto* p = static_cast<const unsigned char*>(bytes);
  for (std::size_t i = 0; i < size; ++i)
    if (p[i] != 0) return false;
  return true;
}

TEST(AdapterList, AnAdapterWhoseCapabilityQueryFailsKeepsAnAllZeroRecord) {
  FakeDirect3D direct3d({FakeAdapter{true, 0xFFFFFFFF, 0xFFFFFFFF, 4}});
  CAdpterList list;
  list.Enumerate(direct3d);
  ASSERT_EQ(list.Count(), 1u);
  const AdapterRecord* record = list.Current();
  ASSERT_NE(record, nullptr);
  EXPECT_TRUE(AllZero(record, sizeof *record));
}

TEST(AdapterList, KeepsTheModesGroupedByFormatInTheFixedOrder) {
  FakeDirect3D direct3d({FakeAdapter{false, D3DPTFILTERCAPS_MINFLINEAR, 0, 3}});
  CAdpterList list;
  list.Enumerate(direct3d);
  const AdapterRecord& record = *list.Current();
  ASSERT_EQ(record.modeCount, 18u);
  UINT entry = 0;
  for (D3DFORMAT format : kFormatOrder)
    for (UINT mode = 0; mode < 3; ++mode) EXPECT_EQ(record.modes[entry++].Width, FakeModeWidth(0, format, mode));
  EXPECT_EQ(record.caps.TextureFilterCaps, static_cast<DWORD>(D3DPTFILTERCAPS_MINFLINEAR));
  EXPECT_STREQ(record.identifier.Description, "fake adapter");
  EXPECT_EQ(record.currentMode.Width, 1024u);
}

TEST(AdapterList, KeepsExactlyTheFirst1024Modes) {
  FakeDirect3D direct3d({FakeAdapter{false, 0, 0, 300}});
  CAdpterList list;
  list.Enumerate(direct3d);
  const AdapterRecord& record = *list.Current();
  EXPECT_EQ(record.modeCount, 1024u);
  // 300 of each of the first three formats, then 124 of the fourth.
  EXPECT_EQ(record.modes[1023].Width, FakeModeWidth(0, D3DFMT_X1R5G5B5, 123));
}

TEST(AdapterList, TheFirstOfTwoAdaptersIsTheCurrentOne) {
  FakeDirect3D direct3d({FakeAdapter{false, 0x11, 0, 1, "first"}, FakeAdapter{false, 0x22, 0, 1, "second"}});
  CAdpterList list;
  list.Enumerate(direct3d);
  EXPECT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.CurrentIndex(), 0u);
  EXPECT_STREQ(list.Current()->identifier.Description, "first");
  EXPECT_STREQ(list.Record(1)->identifier.Description, "second");
  EXPECT_EQ(list.Record(2), nullptr);

  // A second enumeration replaces the records.
  FakeDirect3D other({FakeAdapter{false, 0x33, 0, 1, "only"}});
  list.Enumerate(other);
  EXPECT_EQ(list.Count(), 1u);
  EXPECT_STREQ(list.Current()->identifier.Description, "only");
}

TEST(AdapterList, NoAdaptersGiveNoRecord) {
  FakeDirect3D direct3d({});
  CAdpterList list;
  list.Enumerate(direct3d);
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(list.Current(), nullptr);
}

TEST(D3DDevice, WithoutADirect3DObjectThereIsNoAdapterRecord) {
  const CD3DDevice probe(nullptr);
  EXPECT_EQ(probe.Adapters(), nullptr);
  EXPECT_EQ(probe.CurrentAdapter(), nullptr);
}

TEST(D3DDevice, ReleasesTheDirect3DObjectItWasGiven) {
  auto* direct3d = new FakeDirect3D({FakeAdapter{}});
  direct3d->AddRef();
  { const CD3DDevice probe(direct3d); }
  EXPECT_EQ(direct3d->References(), 1u);
  direct3d->Release();
}

TEST(D3DDevice, ProbesTheRealAdapterOfThisMachine) {
  const CD3DDevice probe;
  const AdapterRecord* adapter = probe.CurrentAdapter();
  ASSERT_NE(adapter, nullptr) << "Direct3D 9 reports no adapter";
  EXPECT_NE(adapter->caps.TextureFilterCaps & D3DPTFILTERCAPS_MINFLINEAR, 0u);
  EXPECT_GT(adapter->modeCount, 0u);
  EXPECT_NE(adapter->currentMode.Width, 0u);
}

}  // namespace
