// FormatText: every conversion, the sign rules, fields and the bounded output.
#include "format_text.h"

#include <climits>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

template <typename... Arguments>
std::string Format(const char* format, Arguments... arguments) {
  char output[512];
  FormatText(output, sizeof output, format, arguments...);
  return output;
}

TEST(FormatText, NamesAndLabelsOfTheProgram) {
  EXPECT_EQ(Format("KEY_FUNCTION_%z2", 7), "KEY_FUNCTION_07");
  EXPECT_EQ(Format("KEY_DATA_%z2", 12), "KEY_DATA_12");
  EXPECT_EQ(Format("[%dms]", 1500), "[1500ms]");
  EXPECT_EQ(Format("%d4ms", 300), " 300ms");
  EXPECT_EQ(Format("%d4%c", 50, 37), "  50%");
  EXPECT_EQ(Format("[%f1.2ms]", 0.5), "[0.50ms]");
  EXPECT_EQ(Format("[%f1.2ms]", 16.67), "[6.67ms]");
  EXPECT_EQ(Format("[%f1.2ms]", 12 * 0.25), "[3.00ms]");
}

TEST(FormatText, SignRulesWithoutAField) {
  EXPECT_EQ(Format("%d", -5), "5");
  EXPECT_EQ(Format("%d+", -5), "-5");
  EXPECT_EQ(Format("%d+", 5), "+5");
  EXPECT_EQ(Format("%d+", 0), "+0");
  EXPECT_EQ(Format("%d-", 5), "5");
  EXPECT_EQ(Format("%d-", -5), "-5");
  EXPECT_EQ(Format("%d", INT_MIN), "2147483648");
  EXPECT_EQ(Format("%d+", INT_MIN), "-2147483648");
}

TEST(FormatText, SignRulesInAField) {
  EXPECT_EQ(Format("%d+4", -12), " -12");
  EXPECT_EQ(Format("%d+4", 12), " +12");
  EXPECT_EQ(Format("%d-4", 12), "  12");
  EXPECT_EQ(Format("%d-4", -12), " -12");
  EXPECT_EQ(Format("%d+2", -12), "12");
  EXPECT_EQ(Format("%f+3.1", -2.5), " -2.5");
  EXPECT_EQ(Format("%f+.1", -2.5), ".5");
}

TEST(FormatText, DecimalFieldsKeepTheLowOrderDigits) {
  EXPECT_EQ(Format("%d2", 123), "23");
  EXPECT_EQ(Format("%d4", 0), "   0");
  EXPECT_EQ(Format("%z3", 0), "000");
  EXPECT_EQ(Format("%z2", 100), "00");
  EXPECT_EQ(Format("%z", 5), "");
  EXPECT_EQ(Format("%u", 4294967295u), "4294967295");
  EXPECT_EQ(Format("%u+4", 7u), "   7");
  EXPECT_EQ(Format("%d123", 5), std::string(11, ' ') + "53");
}

TEST(FormatText, HexadecimalOctalAndSixtyFourBit) {
  EXPECT_EQ(Format("%x4", 255), "00FF");
  EXPECT_EQ(Format("%x8", 0xDEADBEEFu), "DEADBEEF");
  EXPECT_EQ(Format("%o3", 8), "010");
  EXPECT_EQ(Format("%x", 255), "");
  EXPECT_EQ(Format("%o", 8), "");
  EXPECT_EQ(Format("%t", 12345678901234LL), "12345678901234");
  EXPECT_EQ(Format("%t", 0LL), "0");
  EXPECT_EQ(Format("%t6", 42LL), "    42");
  EXPECT_EQ(Format("%lx2%ld", 0xAB, 7), "AB7");
}

TEST(FormatText, RealsAreTruncatedNotRounded) {
  EXPECT_EQ(Format("%f3.2", 3.14159), "  3.14");
  EXPECT_EQ(Format("%f.2", 3.14159), ".14");
  EXPECT_EQ(Format("%f1.2", 0.29), "0.28");
  EXPECT_EQ(Format("%f1.2", 1.15), "1.14");
  EXPECT_EQ(Format("%f1", 2.7), "2.");
  EXPECT_EQ(Format("%f", 2.5), ".");
}

TEST(FormatText, StringsAndCharacters) {
  EXPECT_EQ(Format("%s", "free text"), "free text");
  EXPECT_EQ(Format("%s5", "ab"), "ab   ");
  EXPECT_EQ(Format("%s2", "abcd"), "ab");
  EXPECT_EQ(Format("%c", 0x141), "A");
  EXPECT_EQ(Format("%%"), "%");
}

TEST(FormatText, UpperCaseLettersGiveFullWidthText) {
  EXPECT_EQ(Format("%S3", "ab"), "\x82\x81\x82\x82  ");
  EXPECT_EQ(Format("%D3", 42), "\x81\x40\x82\x53\x82\x51");
  EXPECT_EQ(Format("%D+", -12), "-\x82\x50\x82\x51");
  EXPECT_EQ(Format("%F+3.1", -2.5), "\x81\x40\x81\x51\x82\x51\x81\x44\x82\x54");
  EXPECT_EQ(Format("%U", 42u), "\x82\x53\x82\x51");
  EXPECT_EQ(Format("%Z3", 7u), "\x82\x4F\x82\x4F\x82\x56");
  EXPECT_EQ(Format("%X2", 0xABu), "\x82\x60\x82\x61");
  EXPECT_EQ(Format("%T", 9LL), "\x82\x58");
}

TEST(FormatText, UnknownLettersAndTrailingPercentGiveNothing) {
  EXPECT_EQ(Format("a%qb"), "ab");
  EXPECT_EQ(Format("a%Cb%d", 5), "ab5");
  EXPECT_EQ(Format("x%lfy%d", 5), "xy5");
  EXPECT_EQ(Format("ab%"), "ab");
  EXPECT_EQ(Format("ab%l"), "ab");
}

TEST(FormatText, AppendsToTheTextTheBufferHolds) {
  char output[16] = "abc";
  FormatText(output, sizeof output, "%r%d", 5);
  EXPECT_STREQ(output, "abc5");
}

// Canary bytes around the output show any write outside it.
class BoundedOutput : public testing::Test {
 protected:
  static constexpr std::size_t kCapacity = 8;
  char area_[kCapacity + 32];
  char* output_ = area_ + 16;

  void SetUp() override { std::memset(area_, '#', sizeof area_); }
  bool Untouched(const char* from, std::size_t count) const {
    for (std::size_t i = 0; i < count; ++i)
      if (from[i] != '#') return false;
    return true;
  }
  void ExpectInside() const {
    EXPECT_TRUE(Untouched(area_, 16));
    EXPECT_TRUE(Untouched(output_ + kCapacity, 16));
    EXPECT_LT(std::strlen(output_), kCapacity);
  }
};

TEST_F(BoundedOutput, CutsTheTextAtTheCapacity) {
  FormatText(output_, kCapacity, "%d", 123456789);
  EXPECT_STREQ(output_, "1234567");
  ExpectInside();
}

TEST_F(BoundedOutput, NeverWritesPastItForFieldsBeyondTheDialect) {
  for (const char* format : {"%d99", "%u99", "%z99", "%x99", "%o99", "%t99", "%s99", "%S99", "%D99", "%F99.99",
                             "%f99.99", "%r%r%d99"}) {
    SCOPED_TRACE(format);
    std::memset(area_, '#', sizeof area_);
    output_[0] = '\0';
    if (format[1] == 's' || format[1] == 'S') {
      FormatText(output_, kCapacity, format, "a long string that goes on and on");
    } else if (format[1] == 'f' || format[1] == 'F') {
      FormatText(output_, kCapacity, format, 1e300);
    } else if (format[1] == 't') {
      FormatText(output_, kCapacity, format, 1LL << 62);
    } else {
      FormatText(output_, kCapacity, format, 5);
    }
    ExpectInside();
  }
}

TEST(FormatText, FieldsBeyondTheDialectStillFitTheScratch) {
  char output[600];
  FormatText(output, sizeof output, "%F99.99", -1.5);
  EXPECT_LE(std::strlen(output), 255u);
  FormatText(output, sizeof output, "%d99", 5);
  EXPECT_EQ(std::string(output), std::string(98, ' ') + "5");
  FormatText(output, sizeof output, "%f2.12", 0.5);
  EXPECT_EQ(std::string(output), " 0.500000000000");
}

TEST(FormatText, NothingAtAllFitsInAZeroCapacity) {
  char output[4] = "xyz";
  FormatText(output, 0, "%d", 5);
  EXPECT_STREQ(output, "xyz");
}

}  // namespace
