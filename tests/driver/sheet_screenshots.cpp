// Opens veskconf.exe on a game folder and saves a picture of each page asked for, then closes the
// sheet with Cancel, so that the folder's files stay as they were.
//   sheet_screenshots <veskconf.exe> <game folder> <output folder> <page>...
// with pages named system, graphic, sound, message, mouse, keys, writes <output folder>\<page>.bmp.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "sheet_driver.h"
#include "veskconf_process.h"

namespace {

constexpr DWORD kOpenTimeoutMs = 120000;
// Long enough for a page to be painted and for its 50 ms label timer to have run.
constexpr DWORD kSettleMs = 700;
const char* const kPageNames[] = {"system", "graphic", "sound", "message", "mouse", "keys"};

int TabOf(const char* page) {
  for (int tab = 0; tab < 6; ++tab)
    if (std::strcmp(page, kPageNames[tab]) == 0) return tab;
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: sheet_screenshots <veskconf.exe> <game folder> <output folder> <page>...\n");
    return 2;
  }
  // The pictures are taken in the screen's own pixels, whatever its scaling.
  SetProcessDPIAware();
  const std::string output = std::string(argv[3]) + "\\";
  VeskconfProcess program(argv[1], argv[2]);
  HWND sheet = program.WaitForWindow(kSheetCaption, kOpenTimeoutMs);
  if (sheet == nullptr) {
    std::fprintf(stderr, "sheet_screenshots: the sheet did not open\n");
    return 1;
  }
  const SheetDriver driver(sheet, program.Handle());
  int status = 0;
  for (int page = 4; page < argc; ++page) {
    const int tab = TabOf(argv[page]);
    if (tab < 0) {
      std::fprintf(stderr, "sheet_screenshots: no page named %s\n", argv[page]);
      status = 1;
      continue;
    }
    driver.SelectTab(tab);
    Sleep(kSettleMs);
    const std::string picture = output + argv[page] + ".bmp";
    if (!driver.SavePicture(picture)) {
      std::fprintf(stderr, "sheet_screenshots: could not write %s\n", picture.c_str());
      status = 1;
    }
  }
  driver.PressCancel();
  program.WaitForExit(kOpenTimeoutMs);
  return status;
}
