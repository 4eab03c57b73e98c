// A block of memory in another process, for the control messages that pass a pointer and that
// the platform does not carry across processes (tab items, trackbar parts, combo box parts).
#pragma once

#include <windows.h>

#include <cstddef>

class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, std::size_t size);
  ~RemoteMemory();
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  LPARAM Address() const { return reinterpret_cast<LPARAM>(address_); }
  void Write(const void* data, std::size_t size) const;
  void Read(void* data, std::size_t size) const;

  // Sends message to window with the block as lParam, after writing input into it; reads the
  // block back into output.
  template <typename T>
  LRESULT SendWith(HWND window, UINT message, WPARAM wParam, T& inOut) const {
    Write(&inOut, sizeof inOut);
    const LRESULT result = SendMessageA(window, message, wParam, Address());
    Read(&inOut, sizeof inOut);
    return result;
  }

 private:
  HANDLE process_;
  void* address_;
};
