// veskconf: the player's settings program. It refuses to run twice or beside the running engine,
// finds the engine's settings files, shows them as one property sheet and saves them on OK, or
// says why it could not. Every path ends with exit code 0; the command line is ignored.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "configuration_directory.h"
#include "d3d_device.h"
#include "instance_guards.h"
#include "save_failure_message.h"
#include "settings_file.h"
#include "settings_pages.h"
#include "settings_sheet.h"
#include "shift_jis.h"

namespace {

void RunSheet(HINSTANCE instance, const std::string& directory) {
  const CD3DDevice probe;
  std::int32_t applied = 0;
  {
    SettingsPages pages(instance, &applied, &probe);
    const SettingsRecord record = pages.Record();
    std::memset(record.keys.current, 0, sizeof record.keys.current);
    LoadSettings(directory.c_str(), record);
    ShowSettingsSheet(instance, pages.InTabOrder());
    // OK makes every page that was shown apply; Cancel, Escape and the close box do not.
    if (!applied) return;
    const SaveResult saved = SaveSettings(directory.c_str(), record);
    if (!saved.saved) ShowSaveFailure(saved);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (!TakeSingleInstanceLock()) return 0;
  if (EngineIsRunning()) return 0;
  const auto directory = FindConfigurationDirectory();
  if (!directory) {
    MessageBoxW(nullptr, WideFromShiftJis("設定ファイルがありません。").c_str(),
                WideFromShiftJis("設定ファイル異常").c_str(), MB_OK | MB_ICONWARNING);
    return 0;
  }
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
  RunSheet(instance, *directory);
  return 0;
}
