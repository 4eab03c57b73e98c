// The audio files of a soundtrack folder: the files make reads, known by their extensions, without the
// copies of their Finder data that a zip made on a Mac holds beside them.
#pragma once

#include <string>
#include <vector>

// Whether make reads the file, by its extension: .wav, .aif, .aiff, .aifc, .flac, .ogg, .w64, .rf64
// and .caf, in any case.
bool IsAudioFileName(const std::string& name);
// Whether a path relative to the folder is one that a Mac's zip adds: in a __MACOSX folder, or an
// AppleDouble file ._NAME beside NAME. Neither holds audio.
bool IsMacMetadata(const std::string& relative);
// The audio files under folder, at any depth, as paths relative to it, sorted; macFiles: how many
// files of audio names were passed over as a Mac's metadata. False, with the reason in error, when the
// folder cannot be read.
bool ListAudioFiles(const std::string& folder, std::vector<std::string>& files, size_t& macFiles,
                    std::string& error);
