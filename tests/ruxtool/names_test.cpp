// ruxtool run on a soundtrack as composers name and deliver it: Japanese folder and file names (表, ソ
// and 能, whose second byte in code page 932 is a backslash's code; ア and ヂ, whose second bytes are
// those of A and a), loops.txt saved in UTF-8 with and without a byte order mark and in code page 932,
// the files a Mac's zip adds, names that differ only in case, and output folders written another way.
// The tests run in the Japanese locale and in an English one (code page 1252), which has none of these
// characters: the names travel in UTF-16, and the tool prints to a file in the ANSI code page.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <vector>

#include "file_bytes.h"
#include "flac_bytes.h"
#include "reference_decoder.h"
#include "temp_directory.h"
#include "test_streams.h"
#include "tool_run.h"
#include "wav_bytes.h"

namespace {

std::wstring FromAnsi(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                  static_cast<int>(wide.size())));
  return wide;
}

// As a program prints text to a file: in the ANSI code page, "?" for what it lacks.
std::string Printed(const std::wstring& text) {
  std::string ansi(text.size() * 2, '\0');
  ansi.resize(WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &ansi[0],
                                  static_cast<int>(ansi.size()), nullptr, nullptr));
  return ansi;
}

void WriteFileAt(const std::wstring& path, const std::string& bytes) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<float> Tone(long frames) {
  std::vector<float> samples;
  for (long frame = 0; frame < frames; ++frame) samples.insert(samples.end(), 2, 0.3f * std::sin(frame * 0.05f));
  return samples;
}

class Names : public testing::Test {
 protected:
  DWORD Tool(const std::wstring& arguments) {
    return RunProgram(FromAnsi(Program("ruxtool.exe")) + L" " + arguments, directory_ / "output.txt");
  }
  std::string Output() const { return ReadFileBytes(directory_ / "output.txt"); }
  std::wstring Path(const std::wstring& name) const { return FromAnsi(directory_.Path()) + name; }
  std::wstring Quoted(const std::wstring& name) const { return L"\"" + Path(name) + L"\""; }
  void MakeFolders(std::initializer_list<const wchar_t*> names) {
    for (const wchar_t* name : names) CreateDirectoryW(Path(name).c_str(), nullptr);
  }
  TempDirectory directory_;
};

struct FolderFileCase {
  const wchar_t* input;  // under src
  const wchar_t* line;   // after "[K/N] INPUT: "
  std::vector<const wchar_t*> outputs;  // under out
};

TEST_F(Names, MakesAFolderAsWindowsNamesItsFilesAndPassesOverWhatAMacAdds) {
  MakeFolders({L"src", L"src\\表", L"src\\能", L"src\\ソ", L"src\\__MACOSX", L"src\\__MACOSX\\表"});
  const std::string song = WavBytes({"16-bit stereo", 16, false, false, 2, 44100}, Tone(44100));
  for (const wchar_t* name : {L"表\\ソ.wav", L"能\\ア.wav", L"能\\ヂ.wav", L"ソ\\表.wav", L"ソ\\ヂ.wav", L"Song.wav"}) {
    WriteFileAt(Path(L"src\\") + name, song);
  }
  WriteFileAt(Path(L"src\\song.flac"), FlacBytes(2, 44100, 16, Tone(44100), {}));
  // Finder's data, as AppleDouble files begin.
  for (const wchar_t* name : {L"src\\__MACOSX\\表\\._ソ.wav", L"src\\._Song.wav"}) {
    WriteFileAt(Path(name), std::string("\x00\x05\x16\x07\x00\x02\x00\x00", 8) + std::string(74, '\0'));
  }
  // ソ.wav and ア.wav in UTF-8, as Notepad saves them, with a byte order mark and without; 表.wav and
  // ア.wav in code page 932, where the folder holds ヂ.wav but no ア.wav.
  WriteFileAt(Path(L"src\\表\\loops.txt"), "\xEF\xBB\xBF" "20000 40000 \xE3\x82\xBD.wav\r\n");
  WriteFileAt(Path(L"src\\能\\loops.txt"), "20000 40000 \xE3\x82\xA2.wav\n");
  WriteFileAt(Path(L"src\\ソ\\loops.txt"), "20000 40000 \x95\x5C.wav\r\n20000 40000 \x83\x41.wav\r\n");

  const FolderFileCase cases[] = {
      {L"表\\ソ.wav", L"made, 1.00 s, loop frames 20000 to 40000", {L"表\\ソ.intro.ogg", L"表\\ソ.loop.ogg"}},
      {L"能\\ア.wav", L"made, 1.00 s, loop frames 20000 to 40000", {L"能\\ア.intro.ogg", L"能\\ア.loop.ogg"}},
      {L"能\\ヂ.wav", L"made, 1.00 s, no loop", {L"能\\ヂ.ogg"}},
      {L"ソ\\表.wav", L"made, 1.00 s, loop frames 20000 to 40000", {L"ソ\\表.intro.ogg", L"ソ\\表.loop.ogg"}},
      {L"ソ\\ヂ.wav", L"made, 1.00 s, no loop", {L"ソ\\ヂ.ogg"}},
      {L"Song.wav", L"failed: its outputs would be those of song.flac", {}},
      {L"song.flac", L"failed: its outputs would be those of Song.wav", {}},
  };
  const std::wstring folders = Quoted(L"src") + L" " + Quoted(L"out");
  EXPECT_EQ(Tool(L"make --exact-loop " + folders), 1u) << Output();
  for (const FolderFileCase& file : cases) {
    SCOPED_TRACE(Printed(file.input));
    const std::string line = "] " + Printed(std::wstring(file.input) + L": " + file.line);
    EXPECT_NE(Output().find(line), std::string::npos) << Output();
    for (const wchar_t* output : file.outputs) EXPECT_TRUE(Exists(Path(L"out\\") + output)) << Printed(output);
  }
  EXPECT_FALSE(Exists(Path(L"out\\song.ogg")));
  EXPECT_FALSE(Exists(Path(L"out\\__MACOSX")));
  EXPECT_FALSE(Exists(Path(L"out\\._Song.ogg")));
  const std::string unused = Printed(L"ソ\\loops.txt line 2: it names ア.wav, which is no audio file of its folder");
  EXPECT_NE(Output().find(unused), std::string::npos) << Output();
  EXPECT_NE(Output().find("7 files in "), std::string::npos) << Output();
  EXPECT_NE(Output().find(": 5 made, 0 up to date, 2 failed; 1 line of loops.txt failed; 2 files of a Mac's zip "
                          "passed over (__MACOSX, ._NAME)"),
            std::string::npos)
      << Output();

  // Their records read back by the same names.
  EXPECT_EQ(Tool(L"make --exact-loop " + folders), 1u) << Output();
  EXPECT_NE(Output().find(": 0 made, 5 up to date, 2 failed"), std::string::npos) << Output();
}

struct FolderCase {
  const wchar_t* input;
  const wchar_t* output;
};

TEST_F(Names, RefusesAnOutputFolderInTheInputFolderHoweverTheyAreWritten) {
  MakeFolders({L"src", L"表", L"能"});
  const FolderCase cases[] = {
      {L"src", L"SRC\\out"},
      {L"src/", L"Src"},
      {L".\\src", L"src\\out"},
      {L"能\\..\\src", L"src\\.\\out"},
      // Cut at its last byte, 表 in code page 932 would be a folder name that ends in a backslash.
      {L"表", L"表\\out"},
  };
  for (const FolderCase& folders : cases) {
    SCOPED_TRACE(Printed(std::wstring(folders.input) + L" " + folders.output));
    EXPECT_EQ(Tool(L"make " + Quoted(folders.input) + L" " + Quoted(folders.output)), 2u) << Output();
    EXPECT_NE(Output().find("the output folder may not be the input folder or lie in it"), std::string::npos)
        << Output();
  }
}

// info and decode through the DLL's file source, which opens names in the ANSI code page: a name
// outside it reaches the DLL by its short form.
TEST_F(Names, ShowsAndDecodesStreamsUnderJapaneseNames) {
  MakeFolders({L"表", L"能"});
  WriteFileAt(Path(L"表\\ソ.ogg"), StreamBytes(kStereo44100));
  ASSERT_EQ(Tool(L"info --file " + Quoted(L"表\\ソ.ogg")), 0u) << Output();
  EXPECT_NE(Output().find(Printed(L"stream:       " + Path(L"表\\ソ.ogg") + L" (file source)")), std::string::npos)
      << Output();
  EXPECT_NE(Output().find("detection:    0"), std::string::npos) << Output();
  ASSERT_EQ(Tool(L"decode --file " + Quoted(L"表\\ソ.ogg") + L" " + Quoted(L"能\\ア.wav")), 0u) << Output();
  const HANDLE wav = CreateFileW(Path(L"能\\ア.wav").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(wav, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetFileSize(wav, nullptr), 44 + Reference(kStereo44100).pcm.size());
  CloseHandle(wav);
}

}  // namespace
