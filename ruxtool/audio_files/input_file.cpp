// InputFile over the C runtime's FILE, with its 64-bit seeks.
#include "audio_files/input_file.h"

#include "system/file_access.h"

namespace {

int SeekFile(std::FILE* file, int64_t offset, int whence) {
#ifdef _WIN32
  return _fseeki64(file, offset, whence);
#else
  return fseeko(file, offset, whence);
#endif
}

int64_t PositionOf(std::FILE* file) {
#ifdef _WIN32
  return _ftelli64(file);
#else
  return ftello(file);
#endif
}

}  // namespace

InputFile::InputFile(const std::string& path) : file_(OpenFileStream(path, "rb")) {
  if (file_ && SeekFile(file_, 0, SEEK_END) == 0) size_ = PositionOf(file_);
  if (file_) SeekFile(file_, 0, SEEK_SET);
}

InputFile::~InputFile() {
  if (file_) std::fclose(file_);
}

size_t InputFile::Read(void* buffer, size_t bytes) { return std::fread(buffer, 1, bytes, file_); }

bool InputFile::Seek(int64_t offset, int whence) { return SeekFile(file_, offset, whence) == 0; }

int64_t InputFile::Tell() const { return PositionOf(file_); }

bool InputFile::ReadAt(int64_t offset, void* buffer, size_t bytes) {
  return Seek(offset, SEEK_SET) && Read(buffer, bytes) == bytes;
}

size_t InputFile::ReadItems(void* buffer, size_t size, size_t count, void* file) {
  return size ? static_cast<InputFile*>(file)->Read(buffer, size * count) / size : 0;
}

int InputFile::SeekTo(void* file, int64_t offset, int whence) {
  return static_cast<InputFile*>(file)->Seek(offset, whence) ? 0 : -1;
}
