// The audio files of a soundtrack folder: the files make reads, known by their extensions.
#pragma once

#include <string>
#include <vector>

// Whether make reads the file, by its extension: .wav, .aif, .aiff, .aifc, .flac, .ogg, .w64, .rf64
// and .caf, in any case.
bool IsAudioFileName(const std::string& name);
// The audio files under folder, at any depth, as paths relative to it, sorted. False, with the reason
// in error, when the folder cannot be read.
bool ListAudioFiles(const std::string& folder, std::vector<std::string>& files, std::string& error);
