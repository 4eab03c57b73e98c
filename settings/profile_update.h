// Writing keys into an INI file so that a failed save never loses what the file held.
//
// The platform's WritePrivateProfileStringA rewrites the whole file on every call, and Wine's
// does not notice a failed write: on a full disk the file would be left cut short. So the keys
// are written into a copy, the copy is read back under another name (the platform caches a file
// it has just written), and it replaces the file only when it holds every key written and every
// key the file held.
#pragma once

#include <string>
#include <utility>
#include <vector>

class ProfileUpdate {
 public:
  // Clears the file's attributes, so that a read-only file can be saved, and copies it.
  ProfileUpdate(const char* directory, const char* fileName);
  ~ProfileUpdate();
  ProfileUpdate(const ProfileUpdate&) = delete;
  ProfileUpdate& operator=(const ProfileUpdate&) = delete;

  void WriteText(const char* section, const char* key, const char* text);
  void WriteInteger(const char* section, const char* key, int value);
  // Replaces the file by the copy; false, with the file as it was, when anything failed.
  bool Commit();

 private:
  bool CopyHoldsEverything(const std::string& copy) const;

  std::string path_;
  std::string workPath_;
  std::string checkPath_;
  bool fileExisted_;
  bool failed_ = false;
  struct Written {
    std::string section;
    std::string key;
    std::string text;
  };
  std::vector<Written> written_;
};
