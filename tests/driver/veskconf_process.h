// One run of the real veskconf.exe, started the way a player starts it, and its windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// "[vesk]環境設定ツール[ver.1.02]", the sheet's caption.
extern const wchar_t kSheetCaption[];

class VeskconfProcess {
 public:
  // Starts program with the given current directory; extra environment entries ("NAME=value")
  // are added to this process's environment for the child.
  VeskconfProcess(const std::string& program, const std::string& currentDirectory,
                  const std::string& arguments = "", const std::vector<std::string>& environment = {});
  ~VeskconfProcess();
  VeskconfProcess(const VeskconfProcess&) = delete;
  VeskconfProcess& operator=(const VeskconfProcess&) = delete;

  bool Started() const { return process_ != nullptr; }
  HANDLE Handle() const { return process_; }
  // The exit code once the process ended within the time-out, else STILL_ACTIVE.
  DWORD WaitForExit(DWORD timeoutMs) const;
  // A visible top-level window of the process whose caption is exactly caption.
  HWND WaitForWindow(const std::wstring& caption, DWORD timeoutMs) const;
  // Any visible top-level window of the process.
  std::vector<HWND> Windows() const;

 private:
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
};

// Polls condition every 20 ms until it holds or timeoutMs passed.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(20);
  }
  return true;
}
