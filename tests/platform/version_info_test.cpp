// Both programs carry the release's version block, in Japanese, as Explorer shows it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::wstring Widened(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

class VersionBlock {
 public:
  explicit VersionBlock(const std::string& path) {
    DWORD handle = 0;
    block_.resize(GetFileVersionInfoSizeA(path.c_str(), &handle));
    if (block_.empty() || !GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block_.size()), block_.data()))
      block_.clear();
  }

  bool Present() const { return !block_.empty(); }

  // A value of the Japanese, Unicode string table.
  std::wstring Text(const wchar_t* name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
    if (!VerQueryValueW(block_.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !length) return L"";
    return std::wstring(value, length - 1);
  }

  VS_FIXEDFILEINFO Fixed() {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    VerQueryValueW(block_.data(), L"\\", reinterpret_cast<void**>(&fixed), &length);
    return fixed ? *fixed : VS_FIXEDFILEINFO{};
  }

 private:
  std::vector<char> block_;
};

TEST(VersionInfo, BothProgramsCarryTheReleasesVersionInJapanese) {
  const std::wstring version = Widened(Environment("RELEASE_VERSION"));
  const std::wstring product = L"vesk \x4ED8\x5C5E\x30C4\x30FC\x30EB";  // 付属ツール
  const struct {
    std::string path;
    std::wstring description;
    std::wstring fileName;
    DWORD fileType;
  } programs[] = {
      {Environment("VESKCONF_EXE"), L"vesk \x74B0\x5883\x8A2D\x5B9A\x30C4\x30FC\x30EB",  // 環境設定ツール
       L"veskconf.exe", VFT_APP},
      {Environment("RUX2_DLL"), L"vesk \x97F3\x58F0\x30C7\x30B3\x30FC\x30C0\x30FC (Ogg Vorbis)",  // 音声デコーダー
       L"rux2.dll", VFT_DLL},
  };
  ASSERT_FALSE(version.empty());
  for (const auto& program : programs) {
    VersionBlock block(program.path);
    ASSERT_TRUE(block.Present()) << program.path;
    EXPECT_EQ(block.Text(L"FileDescription"), program.description) << program.path;
    EXPECT_EQ(block.Text(L"OriginalFilename"), program.fileName);
    EXPECT_EQ(block.Text(L"ProductName"), product);
    EXPECT_EQ(block.Text(L"FileVersion"), version);
    EXPECT_EQ(block.Text(L"ProductVersion"), version);
    const VS_FIXEDFILEINFO fixed = block.Fixed();
    EXPECT_EQ(fixed.dwFileType, program.fileType);
    const std::wstring fixedVersion = std::to_wstring(HIWORD(fixed.dwFileVersionMS)) + L"." +
                                      std::to_wstring(LOWORD(fixed.dwFileVersionMS)) + L"." +
                                      std::to_wstring(HIWORD(fixed.dwFileVersionLS));
    EXPECT_EQ(fixedVersion, version);
  }
}

}  // namespace
