// RunProgram: CreateProcessW with inherited handles to one output file.
#include "tool_run.h"

std::string Program(const char* name) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string self(path, length);
  return "\"" + self.substr(0, self.rfind('\\') + 1) + name + "\"";
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

DWORD RunProgram(const std::string& commandLine, const std::string& outputPath) {
  std::wstring wide(commandLine.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, commandLine.data(), static_cast<int>(commandLine.size()), &wide[0],
                                  static_cast<int>(wide.size())));
  return RunProgram(wide, outputPath);
}

DWORD RunProgram(const std::wstring& commandLine, const std::string& outputPath) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE output = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = output;
  startup.hStdError = output;
  PROCESS_INFORMATION process{};
  std::wstring line = commandLine;
  DWORD code = 0xFFFFFFFF;
  if (CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(output);
  return code;
}
