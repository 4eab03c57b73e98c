// rux2.dll's exports as the engine resolves them: each by its name and by its ordinal.
#include <gtest/gtest.h>
#include <windows.h>

#include "rux2_library/rux2_library.h"

namespace {

TEST(Rux2Exports, EachExportResolvesByNameAndByItsOrdinal) {
  const Rux2Library rux2;
  ASSERT_TRUE(rux2.Ready());
  const struct {
    WORD ordinal;
    const char* name;
  } exports[] = {
      {1, "RUX_Close"},        {2, "RUX_CloseCoder"},    {3, "RUX_DetectConfigure"},
      {4, "RUX_GetPcmFormat"}, {5, "RUX_GetPcmLength"},  {6, "RUX_GetProcessFrame"},
      {7, "RUX_Init"},         {8, "RUX_InputFile"},     {9, "RUX_InputFile2"},
      {10, "RUX_InputMemory"}, {11, "RUX_InputMemory2"}, {12, "RUX_Replay"},
  };
  for (const auto& entry : exports) {
    const FARPROC byName = GetProcAddress(rux2.Module(), entry.name);
    EXPECT_NE(byName, nullptr) << entry.name;
    EXPECT_EQ(GetProcAddress(rux2.Module(), MAKEINTRESOURCEA(entry.ordinal)), byName) << entry.name;
  }
  EXPECT_EQ(GetProcAddress(rux2.Module(), MAKEINTRESOURCEA(13)), nullptr);
}

}  // namespace
