// The build's programs run from a test as a developer runs them, with their output kept.
#pragma once

#include <windows.h>

#include <string>

// A program of the build, which lies in the test program's own folder, quoted for a command line.
std::string Program(const char* name);
std::string Quoted(const std::string& path);
// Runs the command line with its standard output and error in outputPath; returns its exit code.
DWORD RunProgram(const std::string& commandLine, const std::string& outputPath);
// The same with a command line in UTF-16, which carries names outside the ANSI code page.
DWORD RunProgram(const std::wstring& commandLine, const std::string& outputPath);
