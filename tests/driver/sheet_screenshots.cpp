// Opens veskconf.exe on a game folder and saves a picture of each page asked for, then closes the
// sheet with Cancel, so that the folder's files stay as they were.
//   sheet_screenshots <veskconf.exe> <game folder> <output folder> <name of tab 1> [<name of tab 2> ...]
// writes <output folder>\<name>.bmp for the first tabs, in tab order.
#include <windows.h>

#include <cstdio>
#include <string>

#include "sheet_driver.h"
#include "veskconf_process.h"

namespace {

constexpr DWORD kOpenTimeoutMs = 120000;
// Long enough for a page to be painted and for its 50 ms label timer to have run.
constexpr DWORD kSettleMs = 700;

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: sheet_screenshots <veskconf.exe> <game folder> <output folder> <tab name>...\n");
    return 2;
  }
  const std::string output = std::string(argv[3]) + "\\";
  VeskconfProcess program(argv[1], argv[2]);
  HWND sheet = program.WaitForWindow(kSheetCaption, kOpenTimeoutMs);
  if (sheet == nullptr) {
    std::fprintf(stderr, "sheet_screenshots: the sheet did not open\n");
    return 1;
  }
  const SheetDriver driver(sheet, program.Handle());
  int status = 0;
  for (int tab = 0; tab < argc - 4 && tab < driver.TabCount(); ++tab) {
    driver.SelectTab(tab);
    Sleep(kSettleMs);
    const std::string picture = output + argv[4 + tab] + ".bmp";
    if (!driver.SavePicture(picture)) {
      std::fprintf(stderr, "sheet_screenshots: could not write %s\n", picture.c_str());
      status = 1;
    }
  }
  driver.PressCancel();
  program.WaitForExit(kOpenTimeoutMs);
  return status;
}
