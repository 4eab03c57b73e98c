// A stream image placed right before an inaccessible page: reading one byte past its end faults.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class GuardedImage {
 public:
  explicit GuardedImage(const std::string& bytes);
  ~GuardedImage();
  GuardedImage(const GuardedImage&) = delete;
  GuardedImage& operator=(const GuardedImage&) = delete;

  void* Image() const { return image_; }
  uint32_t Size() const { return static_cast<uint32_t>(size_); }

 private:
  // Maps the readable pages and the guard page after them; returns their start.
  static char* MapPages(size_t readable, size_t guard);
  static void UnmapPages(char* pages, size_t length);
  static size_t PageSize();

  size_t mappedLength_;
  char* pages_;
  char* image_;
  size_t size_;
};
