// FileRewrite: a file rewritten through one handle, kept open against other writers.
#include "file_rewrite.h"

#include "whole_file.h"

namespace {

// The attributes SetFileAttributesA can set; the others describe the file and are left alone.
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE |
                                      FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_TEMPORARY;

bool SetAttributes(const std::string& path, DWORD attributes) {
  attributes &= kSettableAttributes;
  return SetFileAttributesA(path.c_str(), attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

HANDLE OpenForRewrite(const std::string& path, DWORD disposition) {
  return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

SaveFailureCause CauseOf(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return SaveFailureCause::kWriteProtected;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return SaveFailureCause::kDiskFull;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return SaveFailureCause::kInUse;
    default:
      return SaveFailureCause::kOther;
  }
}

}  // namespace

FileRewrite::FileRewrite(const std::string& directory, std::string name, Edit edit)
    : path_(directory + name), name_(std::move(name)), edit_(std::move(edit)) {}

FileRewrite::~FileRewrite() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

bool FileRewrite::Fail() {
  error_ = GetLastError();
  return false;
}

bool FileRewrite::Open() {
  // A read-only file (copied from a disc, say) is made writable; the flag returns if the save fails.
  attributes_ = GetFileAttributesA(path_.c_str());
  if (attributes_ != INVALID_FILE_ATTRIBUTES && (attributes_ & FILE_ATTRIBUTE_READONLY)) {
    if (!SetAttributes(path_, attributes_ & ~FILE_ATTRIBUTE_READONLY)) return Fail();
    readOnlyCleared_ = true;
  }
  file_ = OpenForRewrite(path_, OPEN_EXISTING);
  if (file_ == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND) {
    file_ = OpenForRewrite(path_, CREATE_NEW);
    created_ = file_ != INVALID_HANDLE_VALUE;
  }
  if (file_ == INVALID_HANDLE_VALUE || !GetFileTime(file_, &times_[0], &times_[1], &times_[2])) return Fail();
  const auto bytes = ReadWhole(file_);
  if (!bytes) return Fail();
  old_ = *bytes;
  new_ = edit_(old_);
  return true;
}

bool FileRewrite::Reserve() {
  if (new_.size() <= old_.size()) return true;
  touched_ = true;
  return WriteAt(file_, static_cast<DWORD>(old_.size()), std::string_view(new_).substr(old_.size())) || Fail();
}

bool FileRewrite::Write() {
  touched_ = true;
  if (!WriteAt(file_, 0, new_) || !FlushFileBuffers(file_)) return Fail();
  const auto written = ReadAt(file_, 0, static_cast<DWORD>(new_.size()));
  if (!written) return Fail();
  if (*written != new_) {
    SetLastError(ERROR_WRITE_FAULT);
    return Fail();
  }
  return true;
}

bool FileRewrite::Cut() {
  if (new_.size() >= old_.size()) return true;
  if (SetFilePointer(file_, static_cast<LONG>(new_.size()), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
      !SetEndOfFile(file_))
    return Fail();
  return true;
}

void FileRewrite::Restore() {
  if (file_ != INVALID_HANDLE_VALUE) {
    if (touched_) {
      WriteAt(file_, 0, old_);
      SetFilePointer(file_, static_cast<LONG>(old_.size()), nullptr, FILE_BEGIN);
      SetEndOfFile(file_);
      SetFileTime(file_, &times_[0], &times_[1], &times_[2]);
    }
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
  }
  if (created_) DeleteFileA(path_.c_str());
  if (readOnlyCleared_) SetAttributes(path_, attributes_);
}

SaveResult RewriteTogether(const std::vector<FileRewrite*>& files) {
  using Step = bool (FileRewrite::*)();
  for (const Step step : {&FileRewrite::Open, &FileRewrite::Reserve, &FileRewrite::Write, &FileRewrite::Cut}) {
    for (FileRewrite* file : files) {
      if ((file->*step)()) continue;
      for (FileRewrite* each : files) each->Restore();
      return {false, file->Name(), CauseOf(file->Error())};
    }
  }
  return {};
}
