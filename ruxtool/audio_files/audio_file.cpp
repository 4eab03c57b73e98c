// ReadAudioFile: "OggS" at the start goes to vorbisfile, everything else to libsndfile.
#include "audio_files/audio_file.h"

#include <cstring>

#include "audio_files/input_file.h"
#include "audio_files/ogg_vorbis_reader.h"
#include "audio_files/sndfile_reader.h"

namespace {

bool IsOgg(InputFile& file) {
  char magic[4] = {};
  return file.ReadAt(0, magic, sizeof magic) && std::memcmp(magic, "OggS", sizeof magic) == 0;
}

bool Read(const std::string& path, bool mixToMono, PcmAudio& audio, std::string& problem) {
  InputFile file(path);
  if (!file.IsOpen()) {
    problem = "it cannot be opened";
    return false;
  }
  return IsOgg(file) ? ReadOggVorbis(file, mixToMono, audio, problem) : ReadSoundFile(file, mixToMono, audio, problem);
}

}  // namespace

bool ReadAudioShape(const std::string& path, AudioShape& shape) {
  InputFile file(path);
  std::string problem;
  return file.IsOpen() &&
         (IsOgg(file) ? ReadOggVorbisShape(file, shape, problem) : ReadSoundFileShape(file, shape, problem));
}

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
