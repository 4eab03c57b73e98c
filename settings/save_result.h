// What became of a save: both settings files saved, or neither changed and why.
#pragma once

#include <string>

// The likely cause of a failed save, from what the platform said.
enum class SaveFailureCause {
  kWriteProtected,  // the folder or the file may not be written
  kDiskFull,
  kInUse,           // another program holds the file open
  kOther,
};

struct SaveResult {
  bool saved = true;
  std::string failedFile;  // the name of the file that could not be saved
  SaveFailureCause cause = SaveFailureCause::kOther;
};
