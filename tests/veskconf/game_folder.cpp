// GameFolder and starting the sheet.
#include "game_folder.h"

#include <windows.h>

#include <cstdlib>

#include "file_bytes.h"

std::string BuiltVeskconfPath() {
  // CTest passes the Unix path of the build's program.
  const char* unixPath = std::getenv("VESKCONF_EXE");
  return WindowsPathOf(unixPath != nullptr ? unixPath : "");
}

std::string GameFolder::Folder(const std::string& relative) const {
  const std::string folder = Path() + relative + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string GameFolder::InstallProgram(const std::string& folder) const {
  const std::string program = folder + "veskconf.exe";
  CopyFileA(BuiltVeskconfPath().c_str(), program.c_str(), FALSE);
  return program;
}

void GameFolder::WriteSettings(const std::string& bytes, const std::string& folder) const {
  WriteFileBytes((folder.empty() ? Path() : folder) + "vesk.cfg", bytes);
}

void GameFolder::WriteKeys(const std::string& bytes, const std::string& folder) const {
  WriteFileBytes((folder.empty() ? Path() : folder) + "key.cfg", bytes);
}

std::string GameFolder::Settings(const std::string& folder) const {
  return ReadFileBytes((folder.empty() ? Path() : folder) + "vesk.cfg");
}

std::string GameFolder::Keys(const std::string& folder) const {
  return ReadFileBytes((folder.empty() ? Path() : folder) + "key.cfg");
}

OpenSheet StartSheet(const std::string& program, const std::string& currentDirectory,
                     const std::vector<std::string>& environment) {
  OpenSheet sheet;
  sheet.process = std::make_unique<VeskconfProcess>(program, currentDirectory, "", environment);
  sheet.window = sheet.process->WaitForWindow(kSheetCaption, kStartTimeoutMs);
  return sheet;
}
