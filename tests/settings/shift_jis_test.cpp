// Full-width conversion, UTF-16 conversion and the separator search; expected bytes and characters
// stated in hex.
#include "shift_jis.h"

#include <string>

#include <gtest/gtest.h>

namespace {

std::string FullWidth(const std::string& source) {
  char output[512];
  ToFullWidth(output, sizeof output, source.c_str());
  return output;
}

TEST(ToFullWidth, MapsEveryPrintableAsciiByteThroughTheTable) {
  std::string ascii;
  for (int byte = 0x20; byte <= 0x7E; ++byte) ascii += static_cast<char>(byte);
  EXPECT_EQ(FullWidth(ascii),
            "\x81\x40\x81\x49\x81\x68\x81\x94\x81\x90\x81\x93\x81\x95\x81\x66\x81\x69\x81\x6A\x81\x96\x81\x7B"
            "\x81\x43\x81\x51\x81\x44\x81\x5E\x82\x4F\x82\x50\x82\x51\x82\x52\x82\x53\x82\x54\x82\x55\x82\x56"
            "\x82\x57\x82\x58\x81\x46\x81\x47\x81\x83\x81\x81\x81\x84\x81\x48\x81\x97\x82\x60\x82\x61\x82\x62"
            "\x82\x63\x82\x64\x82\x65\x82\x66\x82\x67\x82\x68\x82\x69\x82\x6A\x82\x6B\x82\x6C\x82\x6D\x82\x6E"
            "\x82\x6F\x82\x70\x82\x71\x82\x72\x82\x73\x82\x74\x82\x75\x82\x76\x82\x77\x82\x78\x82\x79\x81\x6D"
            "\x81\x8F\x81\x6E\x81\x4F\x81\x51\x81\x4D\x82\x81\x82\x82\x82\x83\x82\x84\x82\x85\x82\x86\x82\x87"
            "\x82\x88\x82\x89\x82\x8A\x82\x8B\x82\x8C\x82\x8D\x82\x8E\x82\x8F\x82\x90\x82\x91\x82\x92\x82\x93"
            "\x82\x94\x82\x95\x82\x96\x82\x97\x82\x98\x82\x99\x82\x9A\x81\x6F\x81\x62\x81\x70\x81\x50");
}

TEST(ToFullWidth, MapsEveryHalfWidthKatakanaByteThroughTheTable) {
  std::string katakana;
  for (int byte = 0xA0; byte <= 0xDF; ++byte) katakana += static_cast<char>(byte);
  EXPECT_EQ(FullWidth(katakana),
            "\x81\x40\x81\x42\x81\x75\x81\x76\x81\x41\x81\x45\x83\x92\x83\x40\x83\x42\x83\x44\x83\x46\x83\x48"
            "\x83\x83\x83\x85\x83\x87\x83\x62\x81\x5B\x83\x41\x83\x43\x83\x45\x83\x47\x83\x49\x83\x4A\x83\x4C"
            "\x83\x4E\x83\x50\x83\x52\x83\x54\x83\x56\x83\x58\x83\x5A\x83\x5C\x83\x5E\x83\x60\x83\x63\x83\x65"
            "\x83\x67\x83\x69\x83\x6A\x83\x6B\x83\x6C\x83\x6D\x83\x6E\x83\x71\x83\x74\x83\x77\x83\x7A\x83\x7D"
            "\x83\x7E\x83\x80\x83\x81\x83\x82\x83\x84\x83\x86\x83\x88\x83\x89\x83\x8A\x83\x8B\x83\x8C\x83\x8D"
            "\x83\x8F\x83\x93\x81\x4A\x81\x4B");
}

TEST(ToFullWidth, CopiesTwoByteCharactersAndOtherBytesUnchanged) {
  EXPECT_EQ(FullWidth("A1"), "\x82\x60\x82\x50");
  EXPECT_EQ(FullWidth("\x95\x5C" "a"), "\x95\x5C\x82\x81");
  EXPECT_EQ(FullWidth("\xB1"), "\x83\x41");
  EXPECT_EQ(FullWidth("\t\x7F\x80\xFD\xFF"), "\t\x7F\x80\xFD\xFF");
}

TEST(ToFullWidth, ALeadByteAtTheEndIsCopiedAloneAndEndsTheText) {
  EXPECT_EQ(FullWidth("a\x81"), "\x82\x81\x81");
}

TEST(ToFullWidth, CutsAtTheCapacityWithoutSplittingACharacter) {
  char output[6];
  ToFullWidth(output, sizeof output, "abc");
  EXPECT_STREQ(output, "\x82\x81\x82\x82");
}

TEST(WideFromShiftJis, ReadsTheBytesAsCodePage932) {
  // "IPAゴシック", and the two reverse solidi of the key names: the single byte and 0x81 0x5F.
  EXPECT_EQ(WideFromShiftJis("IPA\x83\x53\x83\x56\x83\x62\x83\x4E"), L"IPA\x30B4\x30B7\x30C3\x30AF");
  EXPECT_EQ(WideFromShiftJis("\x5C\x81\x5F"), L"\x005C\xFF3C");
  EXPECT_EQ(WideFromShiftJis(""), L"");
}

TEST(ShiftJisFromWide, GivesTheBytesOfCodePage932OrNothing) {
  EXPECT_EQ(ShiftJisFromWide(L"IPA\x30B4\x30B7\x30C3\x30AF"), "IPA\x83\x53\x83\x56\x83\x62\x83\x4E");
  EXPECT_EQ(ShiftJisFromWide(L""), "");
  // "맑은 고딕" (Hangul) and "微软雅黑" (软 is simplified Chinese only) have no Shift-JIS form; nor
  // has "é", which the platform would turn into a look-alike "e".
  EXPECT_FALSE(ShiftJisFromWide(L"\xB9D1\xC740 \xACE0\xB515").has_value());
  EXPECT_FALSE(ShiftJisFromWide(L"\x5FAE\x8F6F\x96C5\x9ED1").has_value());
  EXPECT_FALSE(ShiftJisFromWide(L"Caf\x00E9").has_value());
}

TEST(FindLastSeparator, FindsTheLastSingleByteBackslash) {
  EXPECT_EQ(FindLastSeparator("C:\\game\\veskconf.exe"), 7u);
  EXPECT_EQ(FindLastSeparator("C:\\"), 2u);
  EXPECT_FALSE(FindLastSeparator("veskconf.exe").has_value());
  EXPECT_FALSE(FindLastSeparator("").has_value());
}

TEST(FindLastSeparator, NeverTakesATrailByteForABackslash) {
  // "表" is 0x95 0x5C.
  EXPECT_EQ(FindLastSeparator("C:\\game\\\x95\x5C"), 7u);
  EXPECT_EQ(FindLastSeparator("C:\\\x95\x5C\\x.exe"), 5u);
  EXPECT_EQ(FindLastSeparator("C:\\a\\\x95"), 4u);
}

}  // namespace
