// A game folder in a temporary directory: the settings files and a copy of the built
// veskconf.exe, started from there and driven through its sheet.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sheet_driver.h"
#include "temp_directory.h"
#include "veskconf_process.h"

// Where the build put veskconf.exe, as a Windows path.
std::string BuiltVeskconfPath();

class GameFolder {
 public:
  GameFolder() = default;

  // The folder's path, ending in a backslash.
  std::string Path() const { return directory_.Path(); }
  // A subfolder (created), ending in a backslash.
  std::string Folder(const std::string& relative) const;
  // Copies the built program into the given folder; returns its path.
  std::string InstallProgram(const std::string& folder) const;

  void WriteSettings(const std::string& bytes, const std::string& folder = "") const;
  void WriteKeys(const std::string& bytes, const std::string& folder = "") const;
  std::string Settings(const std::string& folder = "") const;
  std::string Keys(const std::string& folder = "") const;

 private:
  TempDirectory directory_;
};

// A running veskconf.exe whose sheet is open.
struct OpenSheet {
  std::unique_ptr<VeskconfProcess> process;
  HWND window = nullptr;
  SheetDriver Driver() const { return SheetDriver(window, process->Handle()); }
};

// Starts the program installed in folder with folder as current directory, and waits for the
// sheet; window is null when no sheet opened.
OpenSheet StartSheet(const std::string& program, const std::string& currentDirectory,
                     const std::vector<std::string>& environment = {});

// Generous: under emulation the program needs several seconds to probe the adapter.
constexpr unsigned kStartTimeoutMs = 90000;
constexpr unsigned kExitTimeoutMs = 30000;
