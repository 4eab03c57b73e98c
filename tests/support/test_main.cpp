// Entry point of every test program: refuses to run outside code page 932, where every
// expectation about Shift-JIS text would be meaningless.
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  const UINT codePage = GetACP();
  if (codePage != 932) {
    std::fprintf(stderr,
                 "FATAL: the ANSI code page is %u, not 932. Run the tests in a Japanese locale "
                 "(LANG=ja_JP.UTF-8 when Wine creates the prefix).\n",
                 codePage);
    return 2;
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
