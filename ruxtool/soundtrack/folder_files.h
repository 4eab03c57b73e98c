// The files of a soundtrack folder as make sees them: which are audio, how big and how old each one
// is, and the folders its outputs go into.
#pragma once

#include <string>
#include <vector>

// The separator of the platform's paths.
extern const char kPathSeparator;

// Where the last separator of path lies, std::string::npos where it has none. A separator's byte may
// be the second byte of a two-byte character in the ANSI code page, which is no separator.
size_t LastSeparator(const std::string& path);
// Whether make reads the file, by its extension: .wav, .aif, .aiff, .aifc, .flac, .ogg, .w64, .rf64
// and .caf, in any case.
bool IsAudioFileName(const std::string& name);
// The audio files under folder, at any depth, as paths relative to it, sorted. False, with the reason
// in error, when the folder cannot be read.
bool ListAudioFiles(const std::string& folder, std::vector<std::string>& files, std::string& error);
bool IsFolder(const std::string& path);
// "size S time T": the file's size and the time it was last written, which change whenever the file
// does; empty when it cannot be read.
std::string FileStamp(const std::string& path);
// Makes the folders up to the last separator of path, as needed. False when one cannot be made.
bool MakeParentFolders(const std::string& path);
