// The float to 16-bit conversion: truncation toward zero, and clamping that no value escapes.
#include "sample_conversion.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(SampleConversion, TruncatesTowardZeroAndClampsToSixteenBits) {
  const struct {
    float sample;
    int16_t expected;
  } cases[] = {
      {1.0f, 32767},    {-1.0f, -32767},   {0.99999f, 32766},   {1.5f, 32767},   {-1.5f, -32768},
      {-0.00001f, 0},   {0.00001f, 0},     {0.5f, 16383},       {-0.5f, -16383}, {1e10f, 32767},
      {-1e10f, -32768}, {INFINITY, 32767}, {-INFINITY, -32768},
  };
  for (const auto& c : cases) EXPECT_EQ(ConvertSample(c.sample), c.expected) << c.sample;
}

}  // namespace
