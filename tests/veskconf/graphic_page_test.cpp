// The graphic page over the adapter of this machine and over adapters it does not have.
#include <windows.h>

#include <d3d9.h>

#include <cstdlib>
#include <memory>

#include <gtest/gtest.h>

#include "file_bytes.h"
#include "page_test.h"
#include "resource_ids.h"
#include "sample_files.h"

namespace {

// "【使用可能です】" and "【使用出来ません】"
const wchar_t kUsable[] = L"\x3010\x4F7F\x7528\x53EF\x80FD\x3067\x3059\x3011";
const wchar_t kNotUsable[] = L"\x3010\x4F7F\x7528\x51FA\x6765\x307E\x305B\x3093\x3011";

// The stand-in d3d9.dll of the build, as a Windows path.
std::string FakeDirect3DPath() { return WindowsPathOf(std::getenv("FAKE_D3D9_DLL")); }

std::string Caps(DWORD texture, DWORD stretch) {
  char text[32];
  wsprintfA(text, "%lx,%lx", texture, stretch);
  return text;
}

// While it lives, Wine loads veskconf.exe's d3d9.dll from the program's folder rather than its
// own; Wine reads such overrides per program from the registry.
class NativeDirect3DOverride {
 public:
  NativeDirect3DOverride() {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    RegSetValueExA(key, "d3d9", 0, REG_SZ, reinterpret_cast<const BYTE*>("native"), 7);
    RegCloseKey(key);
  }
  ~NativeDirect3DOverride() { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }

 private:
  static constexpr const char* kKey = "Software\\Wine\\AppDefaults\\veskconf.exe\\DllOverrides";
};

const DWORD kAllTextureFilters = D3DPTFILTERCAPS_MINFANISOTROPIC | D3DPTFILTERCAPS_MINFLINEAR |
                                 D3DPTFILTERCAPS_MAGFANISOTROPIC | D3DPTFILTERCAPS_MAGFLINEAR;

class GraphicPage : public PageTest {
 protected:
  // Opens the page; fakeAdapter, when given, is what the stand-in d3d9.dll reports.
  SheetDriver Open(const std::string& settings, const std::string& fakeAdapter = "") {
    if (fakeAdapter.empty()) return PageTest::Open(Tab::kGraphic, settings);
    CopyFileA(FakeDirect3DPath().c_str(), (game_.Path() + "d3d9.dll").c_str(), FALSE);
    override_ = std::make_unique<NativeDirect3DOverride>();
    return PageTest::Open(Tab::kGraphic, settings, "", {"FAKE_D3D9=" + fakeAdapter});
  }
  std::string Saved(const char* key) const { return SavedSetting("GRAPHIC_CONFIG", key); }

  std::unique_ptr<NativeDirect3DOverride> override_;
};

const char kAnisotropicEverywhere[] =
    "[GRAPHIC_CONFIG]\r\nTEXTURE_MIN_FILTER=0\r\nTEXTURE_MAG_FILTER=1\r\nASPECT_RATIO_FILTER=0\r\n"
    "ASPECT_RATIO_USE=1\r\n";

TEST_F(GraphicPage, AnAdapterWithoutAnyCapabilityGreysOutEveryFilterChoice) {
  const SheetDriver page = Open(kAnisotropicEverywhere, "fail");
  for (int id : {IDC_GRAPHIC_MIN_ANISOTROPIC, IDC_GRAPHIC_MIN_LINEAR, IDC_GRAPHIC_MAG_ANISOTROPIC,
                 IDC_GRAPHIC_MAG_LINEAR, IDC_GRAPHIC_ASPECT_LINEAR, IDC_GRAPHIC_ASPECT_POINT,
                 IDC_GRAPHIC_ASPECT_RATIO_USE})
    EXPECT_FALSE(page.IsEnabled(id)) << id;
  for (int id : {IDC_GRAPHIC_MIN_POINT, IDC_GRAPHIC_MAG_POINT, IDC_GRAPHIC_LEVEL_0, IDC_GRAPHIC_COLOR_16,
                 IDC_GRAPHIC_FPS_20, IDC_GRAPHIC_TEXTURE_MAX_1024, IDC_GRAPHIC_DITHER_NEVER,
                 IDC_GRAPHIC_SOFTWARE_VERTEX})
    EXPECT_TRUE(page.IsEnabled(id)) << id;
  EXPECT_TRUE(page.IsChecked(IDC_GRAPHIC_MIN_POINT));
  EXPECT_TRUE(page.IsChecked(IDC_GRAPHIC_MAG_POINT));
  // The greyed-out POINT button of the aspect-ratio filter is the checked one.
  EXPECT_TRUE(page.IsChecked(IDC_GRAPHIC_ASPECT_POINT));
  EXPECT_FALSE(page.IsChecked(IDC_GRAPHIC_ASPECT_RATIO_USE));
  EXPECT_EQ(page.Text(IDC_GRAPHIC_ASPECT_AVAILABILITY), kNotUsable);
  PressOk();
  EXPECT_EQ(Saved("TEXTURE_MIN_FILTER"), "2");
  EXPECT_EQ(Saved("TEXTURE_MAG_FILTER"), "2");
  EXPECT_EQ(Saved("ASPECT_RATIO_FILTER"), "1");
  EXPECT_EQ(Saved("ASPECT_RATIO_USE"), "0");
}

// The platform gives the tab stop of a radio group to its checked button, here a greyed-out one:
// Tab enters the group at the button that can be picked.
TEST_F(GraphicPage, TabReachesTheAspectRatioFilterWhenItsCheckedButtonIsGreyedOut) {
  const SheetDriver page =
      Open("[GRAPHIC_CONFIG]\r\nASPECT_RATIO_FILTER=1\r\n", Caps(kAllTextureFilters, D3DPTFILTERCAPS_MAGFLINEAR));
  ASSERT_TRUE(page.IsChecked(IDC_GRAPHIC_ASPECT_POINT));
  ASSERT_FALSE(page.IsEnabled(IDC_GRAPHIC_ASPECT_POINT));
  // From the tabs: the texture size, the minification filter, then this group.
  for (int press = 0; press < 3; ++press) {
    const HWND before = page.Focus();
    page.Type(VK_TAB);
    WaitUntil([&] { return page.Focus() != before; }, 5000);
  }
  EXPECT_EQ(page.FocusId(), IDC_GRAPHIC_ASPECT_LINEAR);
  page.PressCancel();
}

TEST_F(GraphicPage, WithoutDirect3DTheCapabilitiesCountAsAbsent) {
  const SheetDriver page = Open(kAnisotropicEverywhere, "none");
  EXPECT_FALSE(page.IsEnabled(IDC_GRAPHIC_MIN_LINEAR));
  EXPECT_FALSE(page.IsEnabled(IDC_GRAPHIC_ASPECT_RATIO_USE));
  EXPECT_TRUE(page.IsChecked(IDC_GRAPHIC_MIN_POINT));
  EXPECT_EQ(page.Text(IDC_GRAPHIC_ASPECT_AVAILABILITY), kNotUsable);
  page.PressCancel();
}

TEST_F(GraphicPage, ThisMachinesAdapterOffersEveryFilter) {
  const SheetDriver page = Open(kAnisotropicEverywhere);
  for (int id : {IDC_GRAPHIC_MIN_ANISOTROPIC, IDC_GRAPHIC_MIN_LINEAR, IDC_GRAPHIC_MAG_ANISOTROPIC,
                 IDC_GRAPHIC_MAG_LINEAR, IDC_GRAPHIC_ASPECT_LINEAR, IDC_GRAPHIC_ASPECT_POINT,
                 IDC_GRAPHIC_ASPECT_RATIO_USE})
    EXPECT_TRUE(page.IsEnabled(id)) << id;
  EXPECT_TRUE(page.IsChecked(IDC_GRAPHIC_MIN_ANISOTROPIC));
  EXPECT_TRUE(page.IsChecked(IDC_GRAPHIC_MAG_LINEAR));
  EXPECT_TRUE(page.IsChecked(IDC_GRAPHIC_ASPECT_LINEAR));
  EXPECT_TRUE(page.IsChecked(IDC_GRAPHIC_ASPECT_RATIO_USE));
  EXPECT_EQ(page.Text(IDC_GRAPHIC_ASPECT_AVAILABILITY), kUsable);
  page.PressCancel();
}

TEST_F(GraphicPage, LinearWithoutAnisotropicMovesTheMinificationFilterToLinear) {
  const SheetDriver page =
      Open(kAnisotropicEverywhere, Caps(D3DPTFILTERCAPS_MINFLINEAR | D3DPTFILTERCAPS_MAGFLINEAR,
                                        D3DPTFILTERCAPS_MAGFLINEAR | D3DPTFILTERCAPS_MAGFPOINT));
  EXPECT_FALSE(page.IsEnabled(IDC_GRAPHIC_MIN_ANISOTROPIC));
  EXPECT_TRUE(page.IsEnabled(IDC_GRAPHIC_MIN_LINEAR));
  EXPECT_TRUE(page.IsChecked(IDC_GRAPHIC_MIN_LINEAR));
  EXPECT_TRUE(page.IsChecked(IDC_GRAPHIC_MAG_LINEAR));
  PressOk();
  EXPECT_EQ(Saved("TEXTURE_MIN_FILTER"), "1");
  EXPECT_EQ(Saved("TEXTURE_MAG_FILTER"), "1");
}

TEST_F(GraphicPage, StretchingWithPointOnlyStillOffersTheFixedAspectRatioMode) {
  const SheetDriver page = Open(kAnisotropicEverywhere, Caps(kAllTextureFilters, D3DPTFILTERCAPS_MAGFPOINT));
  EXPECT_FALSE(page.IsEnabled(IDC_GRAPHIC_ASPECT_LINEAR));
  EXPECT_TRUE(page.IsEnabled(IDC_GRAPHIC_ASPECT_POINT));
  EXPECT_TRUE(page.IsChecked(IDC_GRAPHIC_ASPECT_POINT));
  EXPECT_TRUE(page.IsEnabled(IDC_GRAPHIC_ASPECT_RATIO_USE));
  EXPECT_TRUE(page.IsChecked(IDC_GRAPHIC_ASPECT_RATIO_USE));
  EXPECT_EQ(page.Text(IDC_GRAPHIC_ASPECT_AVAILABILITY), kUsable);
  PressOk();
  EXPECT_EQ(Saved("ASPECT_RATIO_FILTER"), "1");
  EXPECT_EQ(Saved("ASPECT_RATIO_USE"), "1");
}

TEST_F(GraphicPage, CancelAfterTheCorrectionsLeavesTheFileUntouched) {
  const SheetDriver page = Open(kAnisotropicEverywhere, "fail");
  EXPECT_TRUE(page.IsChecked(IDC_GRAPHIC_MIN_POINT));
  page.PressCancel();
  EXPECT_EQ(sheet_.process->WaitForExit(kExitTimeoutMs), 0u);
  EXPECT_EQ(game_.Settings(), kAnisotropicEverywhere);
}

TEST_F(GraphicPage, TheChoicesOfAPlayerReachTheFile) {
  const SheetDriver page = Open(FullSettings());
  EXPECT_TRUE(page.IsChecked(IDC_GRAPHIC_LEVEL_2));
  EXPECT_TRUE(page.IsChecked(IDC_GRAPHIC_COLOR_16));
  EXPECT_TRUE(page.IsChecked(IDC_GRAPHIC_FPS_20));
  EXPECT_TRUE(page.IsChecked(IDC_GRAPHIC_TEXTURE_MAX_1024));
  EXPECT_TRUE(page.IsChecked(IDC_GRAPHIC_DITHER_NEVER));
  EXPECT_TRUE(page.IsChecked(IDC_GRAPHIC_SOFTWARE_VERTEX));
  page.Click(IDC_GRAPHIC_LEVEL_3);
  page.Click(IDC_GRAPHIC_COLOR_32);
  page.Click(IDC_GRAPHIC_FPS_30);
  page.Click(IDC_GRAPHIC_TEXTURE_MAX_DEFAULT);
  page.Click(IDC_GRAPHIC_MIN_ANISOTROPIC);
  page.Click(IDC_GRAPHIC_MAG_LINEAR);
  page.Click(IDC_GRAPHIC_ASPECT_LINEAR);
  page.Click(IDC_GRAPHIC_DITHER_16BIT);
  page.Click(IDC_GRAPHIC_ASPECT_RATIO_USE);
  page.Click(IDC_GRAPHIC_SOFTWARE_VERTEX);
  PressOk();
  EXPECT_EQ(Saved("TEXTURE_CREATE_LEVEL"), "3");
  EXPECT_EQ(Saved("TEXTURE_COLOR"), "0");
  EXPECT_EQ(Saved("FRAME_RATE"), "1");
  EXPECT_EQ(Saved("TEXTURE_MAX"), "0");
  EXPECT_EQ(Saved("TEXTURE_MIN_FILTER"), "0");
  EXPECT_EQ(Saved("TEXTURE_MAG_FILTER"), "1");
  EXPECT_EQ(Saved("ASPECT_RATIO_FILTER"), "0");
  EXPECT_EQ(Saved("DITHER_FILTER"), "0");
  EXPECT_EQ(Saved("ASPECT_RATIO_USE"), "0");
  EXPECT_EQ(Saved("SOFTWARE_VERTEX"), "0");
}

}  // namespace
