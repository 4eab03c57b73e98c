// Starting veskconf.exe and finding its windows.
#include "veskconf_process.h"

#include <cstring>

const wchar_t kSheetCaption[] = L"[vesk]\x74B0\x5883\x8A2D\x5B9A\x30C4\x30FC\x30EB[ver.1.02]";

namespace {

std::string NameOf(const std::string& entry) { return entry.substr(0, entry.find('=', 1)); }

// This process's environment block with the extra entries in place of those of the same name.
std::vector<char> EnvironmentWith(const std::vector<std::string>& extra) {
  std::vector<std::string> entries;
  char* current = GetEnvironmentStringsA();
  for (const char* entry = current; *entry != '\0'; entry += std::strlen(entry) + 1) entries.emplace_back(entry);
  FreeEnvironmentStringsA(current);
  for (const std::string& added : extra) {
    for (std::string& entry : entries)
      if (lstrcmpiA(NameOf(entry).c_str(), NameOf(added).c_str()) == 0) entry.clear();
    entries.push_back(added);
  }
  std::vector<char> block;
  for (const std::string& entry : entries)
    if (!entry.empty()) block.insert(block.end(), entry.c_str(), entry.c_str() + entry.size() + 1);
  block.push_back('\0');
  return block;
}

struct WindowSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.processId && IsWindowVisible(window)) search.found.push_back(window);
  return TRUE;
}

}  // namespace

VeskconfProcess::VeskconfProcess(const std::string& program, const std::string& currentDirectory,
                                 const std::string& arguments, const std::vector<std::string>& environment) {
  std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
  std::vector<char> environmentBlock = EnvironmentWith(environment);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, environmentBlock.data(),
                      currentDirectory.c_str(), &startup, &info))
    return;
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  processId_ = info.dwProcessId;
}

VeskconfProcess::~VeskconfProcess() {
  if (process_ == nullptr) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 99);
  WaitForSingleObject(process_, 10000);
  CloseHandle(process_);
}

DWORD VeskconfProcess::WaitForExit(DWORD timeoutMs) const {
  if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_, &code);
  return code;
}

std::vector<HWND> VeskconfProcess::Windows() const {
  WindowSearch search = {processId_, {}};
  EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND VeskconfProcess::WaitForWindow(const std::wstring& caption, DWORD timeoutMs) const {
  HWND match = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : Windows()) {
          wchar_t text[256];
          GetWindowTextW(window, text, 256);
          if (caption == text) match = window;
        }
        return match != nullptr || WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
      },
      timeoutMs);
  return match;
}
