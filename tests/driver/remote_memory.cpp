// RemoteMemory over VirtualAllocEx and the process memory functions.
#include "remote_memory.h"

RemoteMemory::RemoteMemory(HANDLE process, std::size_t size)
    : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}

RemoteMemory::~RemoteMemory() {
  if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

void RemoteMemory::Write(const void* data, std::size_t size) const {
  WriteProcessMemory(process_, address_, data, size, nullptr);
}

void RemoteMemory::Read(void* data, std::size_t size) const {
  ReadProcessMemory(process_, address_, data, size, nullptr);
}
