// GameFolder and starting the sheet.
#include "game_folder.h"

#include <windows.h>

#include "file_bytes.h"

const char kSheetCaption[] =
    "[vesk]\x8A\xC2\x8B\xAB\x90\xDD\x92\xE8\x83\x63\x81\x5B\x83\x8B[ver.1.02]";

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
