// Entry point of every test program: refuses to run outside the code page its run expects, where
// every expectation about the platform's text would be meaningless. The run names it in
// VESK_TEST_CODE_PAGE; without it the code page is 932, as in the Japanese run.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  const char* expected = std::getenv("VESK_TEST_CODE_PAGE");
  const UINT expectedCodePage = expected != nullptr ? static_cast<UINT>(std::atoi(expected)) : 932;
  const UINT codePage = GetACP();
  if (codePage != expectedCodePage) {
    std::fprintf(stderr,
                 "FATAL: the ANSI code page is %u, not %u. Run the tests in the locale of their run "
                 "(tools/test: LANG=ja_JP.UTF-8 for 932).\n",
                 codePage, expectedCodePage);
    return 2;
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
