// BoundStream: RUX_Init, one of the four input functions, and RUX_Close.
#include "commands/bound_stream.h"

#include <algorithm>

#include "system/path_names.h"
#include "system/unicode_text.h"

namespace {

// Bytes offset..offset+size of the file (size 0: to its end) in a LocalAlloc block; null when the
// file cannot be read or holds nothing there.
void* ReadImage(const std::string& path, uint32_t offset, uint32_t size, uint32_t& imageSize) {
  HANDLE file = CreateFileW(ToUtf16(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  const DWORD fileSize = GetFileSize(file, nullptr);
  const DWORD available = offset < fileSize ? fileSize - offset : 0;
  const DWORD wanted = size ? std::min<DWORD>(size, available) : available;
  void* image = wanted ? LocalAlloc(LMEM_FIXED, wanted) : nullptr;
  DWORD read = 0;
  if (image &&
      (SetFilePointer(file, static_cast<LONG>(offset), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
       !ReadFile(file, image, wanted, &read, nullptr) || read != wanted)) {
    LocalFree(image);
    image = nullptr;
  }
  CloseHandle(file);
  imageSize = read;
  return image;
}

}  // namespace

BoundStream::BoundStream(const Rux2Library& rux, const ToolOptions& options) : rux_(rux) {
  rux_.RUX_Init(&record_);
  if (options.fromFile) {
    BindFiles(options);
  } else {
    BindImages(options);
  }
}

BoundStream::~BoundStream() { rux_.RUX_Close(&record_); }

// The DLL opens names in the ANSI code page, as the engine gives them.
void BoundStream::BindFiles(const ToolOptions& options) {
  if (options.loopStream.empty()) {
    rux_.RUX_InputFile(&record_, AnsiPathOf(options.stream).c_str(), options.offset, options.size);
  } else {
    rux_.RUX_InputFile2(&record_, AnsiPathOf(options.stream).c_str(), AnsiPathOf(options.loopStream).c_str());
  }
}

void BoundStream::BindImages(const ToolOptions& options) {
  uint32_t size = 0;
  void* image = ReadImage(options.stream, options.offset, options.size, size);
  if (!image) {
    error_ = "cannot read " + options.stream;
    return;
  }
  if (options.loopStream.empty()) {
    rux_.RUX_InputMemory(&record_, image, size, 1);
    return;
  }
  uint32_t loopSize = 0;
  void* loopImage = ReadImage(options.loopStream, 0, 0, loopSize);
  if (!loopImage) {
    LocalFree(image);
    error_ = "cannot read " + options.loopStream;
    return;
  }
  rux_.RUX_InputMemory2(&record_, image, size, loopImage, loopSize, 1);
}
