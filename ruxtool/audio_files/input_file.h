// An input file read at any offset, past 4 GiB too: the one handle through which libsndfile, libFLAC,
// vorbisfile and ruxtool's own checks read it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class InputFile {
 public:
  // path: UTF-8, opened by its wide name on Windows.
  explicit InputFile(const std::string& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  int64_t Size() const { return size_; }
  // As fread, fseek (SEEK_SET, SEEK_CUR, SEEK_END) and ftell.
  size_t Read(void* buffer, size_t bytes);
  bool Seek(int64_t offset, int whence);
  int64_t Tell() const;
  // The bytes at offset; false when the file holds fewer.
  bool ReadAt(int64_t offset, void* buffer, size_t bytes);

  // For the C libraries' I/O callbacks, which take the InputFile as their handle: fread, and fseek
  // returning 0 or -1.
  static size_t ReadItems(void* buffer, size_t size, size_t count, void* file);
  static int SeekTo(void* file, int64_t offset, int whence);

 private:
  std::FILE* file_;
  int64_t size_ = 0;
};
