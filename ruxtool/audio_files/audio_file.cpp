// ReadAudioFile: "OggS" at the start goes to vorbisfile, everything else to libsndfile.
#include "audio_files/audio_file.h"

#include <cstring>

#include "audio_files/input_file.h"
#include "audio_files/ogg_vorbis_reader.h"
#include "audio_files/sndfile_reader.h"

namespace {

bool Read(const std::string& path, bool mixToMono, PcmAudio& audio, std::string& problem) {
  InputFile file(path);
  if (!file.IsOpen()) {
    problem = "it cannot be opened";
    return false;
  }
  char magic[4] = {};
  if (file.ReadAt(0, magic, sizeof magic) && std::memcmp(magic, "OggS", sizeof magic) == 0) {
    return ReadOggVorbis(file, mixToMono, audio, problem);
  }
  return ReadSoundFile(file, mixToMono, audio, problem);
}

}  // namespace

bool ReadAudioFile(const std::string& path, PcmAudio& audio, std::string& error, bool mixToMono) {
  std::string problem;
  if (!Read(path, mixToMono, audio, problem)) {
    error = path + ": " + problem;
    return false;
  }
  if (audio.Frames() == 0) {
    error = path + ": it holds no audio";
    return false;
  }
  return true;
}
