// GuardedImage: the bytes end where the guard page begins.
#include "guarded_image.h"

#include <cstring>

GuardedImage::GuardedImage(const std::string& bytes) : size_(bytes.size()) {
  const size_t page = PageSize();
  const size_t readable = (size_ + page - 1) / page * page;
  mappedLength_ = readable + page;
  pages_ = MapPages(readable, page);
  image_ = pages_ + readable - size_;
  if (size_) std::memcpy(image_, bytes.data(), size_);
}

GuardedImage::~GuardedImage() { UnmapPages(pages_, mappedLength_); }
