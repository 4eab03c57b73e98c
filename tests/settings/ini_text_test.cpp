// INI text read and changed byte for byte, as the platform's profile functions read and write it.
#include "ini_text.h"

#include <windows.h>

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "file_bytes.h"
#include "profile_file.h"
#include "temp_directory.h"

namespace {

struct Lookup {
  const char* name;
  std::string file;
  const char* section;
  const char* key;
  std::optional<std::string> value;
};

class IniLookup : public testing::TestWithParam<Lookup> {};

TEST_P(IniLookup, ReadsTheValueThePlatformReads) {
  const Lookup& lookup = GetParam();
  EXPECT_EQ(IniText(lookup.file).Value(lookup.section, lookup.key), lookup.value);
}

INSTANTIATE_TEST_SUITE_P(
    IniText, IniLookup,
    testing::Values(
        Lookup{"Plain", "[A]\r\nk=v\r\n", "A", "k", "v"},
        Lookup{"NamesIgnoreCase", "[sound_Info]\r\nMaster_volume=5\r\n", "SOUND_INFO", "MASTER_VOLUME", "5"},
        Lookup{"SpacesAroundTrimmed", "  [A]  \r\n\t k \t=  v w \x1A\r\n", "A", "k", "v w"},
        Lookup{"OnePairOfQuotesRemoved", "[M]\r\nFONT=\"\"abc\"\"\r\n", "M", "FONT", "\"abc\""},
        Lookup{"SingleQuotesToo", "[M]\r\nFONT='abc'\r\n", "M", "FONT", "abc"},
        Lookup{"ALoneQuoteStays", "[M]\r\nFONT=\"\r\n", "M", "FONT", "\""},
        Lookup{"EmptyValue", "[A]\r\nk=\r\n", "A", "k", ""},
        Lookup{"CutAtNul", std::string("[A]\r\nk=1\0 2\r\n", 14), "A", "k", "1"},
        Lookup{"LineFeedsOnlyAndNoFinalNewline", "[A]\nx=0\nk=1", "A", "k", "1"},
        Lookup{"OnlyTheFirstSectionOfAName", "[A]\r\nx=1\r\n[A]\r\nk=2\r\n", "A", "k", std::nullopt},
        Lookup{"TheFirstKeyOfAName", "[A]\r\nk=1\r\nK=2\r\n", "A", "k", "1"},
        Lookup{"ALineWithoutEqualsHasNoValue", "[A]\r\nk\r\nk=2\r\n", "A", "k", std::nullopt},
        Lookup{"KeysBeforeAnySection", "k=1\r\n[A]\r\n", "A", "k", std::nullopt},
        Lookup{"AUtf8ByteOrderMarkIsSkipped", "\xEF\xBB\xBF[A]\r\nk=1\r\n", "A", "k", "1"},
        Lookup{"SpacesInsideBracketsBelongToTheName", "[ A ]\r\nk=1\r\n", "A", "k", std::nullopt},
        Lookup{"TheLastBracketEndsTheName", "[A]]\r\nk=1\r\n", "A]", "k", "1"},
        // "ミ" is 83 5D: its trail byte is no bracket.
        Lookup{"ATrailByteIsNoBracket", "[\x83\x5D]\r\nk=1\r\n[B\x83]\r\nk=2\r\n", "\x83\x5D", "k", "1"},
        Lookup{"ASectionWithoutClosingBracketIsNone", "[B\x83]\r\nk=2\r\n", "B\x83", "k", std::nullopt}),
    [](const testing::TestParamInfo<Lookup>& info) { return std::string(info.param.name); });

struct Change {
  const char* name;
  std::string before;
  const char* section;
  const char* key;
  const char* text;
  std::string after;
};

class IniChange : public testing::TestWithParam<Change> {};

TEST_P(IniChange, ChangesOnlyTheBytesOfTheKey) {
  const Change& change = GetParam();
  IniText text(change.before);
  text.Set(change.section, change.key, change.text);
  EXPECT_EQ(text.Bytes(), change.after);
}

INSTANTIATE_TEST_SUITE_P(
    IniText, IniChange,
    testing::Values(
        Change{"NewFile", "", "A", "k", "v", "[A]\r\nk=v\r\n"},
        Change{"ReplacedInPlace", "[A]\r\nx=1\r\nk=old\r\ny=2\r\n", "A", "k", "v", "[A]\r\nx=1\r\nk=v\r\ny=2\r\n"},
        Change{"TheFilesSpellingAndLineEndsKept", "[a]\n  K = old \nz\n", "A", "k", "v", "[a]\n  K=v\nz\n"},
        Change{"ALineWithoutEqualsGetsTheValue", "[A]\r\nk\r\n", "A", "k", "v", "[A]\r\nk=v\r\n"},
        Change{"AppendedAfterTheSectionsLastLine", "[A]\r\nx=1\r\n;note\r\n\r\n[B]\r\n", "A", "k", "v",
               "[A]\r\nx=1\r\n;note\r\nk=v\r\n\r\n[B]\r\n"},
        Change{"AppendedToAHeaderWithoutNewline", "[A]", "A", "k", "v", "[A]\r\nk=v\r\n"},
        Change{"NewSectionAtTheEnd", "[B]\r\ny=2", "A", "k", "v", "[B]\r\ny=2\r\n[A]\r\nk=v\r\n"},
        Change{"OnlyTheFirstSectionOfAName", "[A]\r\n[A]\r\nk=1\r\n", "A", "k", "v", "[A]\r\nk=v\r\n[A]\r\nk=1\r\n"},
        Change{"AValueTheReaderChangesIsWrittenAsGiven", "[M]\r\nFONT=x\r\n", "M", "FONT", "\"abc\"",
               "[M]\r\nFONT=\"abc\"\r\n"}),
    [](const testing::TestParamInfo<Change>& info) { return std::string(info.param.name); });

// Against the platform's own reader, on values that are easy to read wrongly.
TEST(ProfileFile, ReadsNumbersAndTextsAsThePlatformDoes) {
  const std::string values[] = {
      "5", "-5", "+5", "  5  ", "\"5\"", "'7'", "0x1F", "0o17", "0b101", "0X1F", "0x", "--5", "12abc", "abc", "",
      "\"\"", "4294967295", "4294967296", "-2147483648", "2147483648", "99999999999999999999",
      "000000000000000000000000000005", "12345678901234567890123456789012345", "\t\x01 9", "1\x82\xA0",
      "\"\"abc\"\"", "'q'", "a=b", "\"", std::string("3\0" "4", 3), std::string(127, 'F'), std::string(200, 'F')};
  std::string text = "[S]\r\n";
  for (std::size_t i = 0; i < std::size(values); ++i) text += "K" + std::to_string(i) + "=" + values[i] + "\r\n";
  TempDirectory directory;
  const std::string path = directory / "values.ini";
  WriteFileBytes(path, text);
  const ProfileFile file(path);
  for (std::size_t i = 0; i < std::size(values); ++i) {
    const std::string key = "K" + std::to_string(i);
    const UINT number = GetPrivateProfileIntA("S", key.c_str(), 77, path.c_str());
    EXPECT_EQ(file.ReadInteger("s", key.c_str(), 77), static_cast<std::int32_t>(number)) << values[i];
    char platform[128];
    GetPrivateProfileStringA("S", key.c_str(), "-", platform, sizeof platform, path.c_str());
    EXPECT_EQ(file.ReadText("s", key.c_str(), "-", sizeof platform), platform) << values[i];
  }
}

}  // namespace
