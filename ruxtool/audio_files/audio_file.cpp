// ReadAudioFile: "RIFF" ... "WAVE" or "OggS" at the start of the file.
#include "audio_file.h"

#include <fstream>

#include "ogg_vorbis_reader.h"
#include "wav_reader.h"

namespace {

bool Read(const std::string& path, bool mixToMono, PcmAudio& audio, std::string& problem) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    problem = "it cannot be opened";
    return false;
  }
  char start[12] = {};
  file.read(start, sizeof start);
  const std::string magic(start, static_cast<size_t>(file.gcount()));
  if (magic.size() == 12 && magic.compare(0, 4, "RIFF") == 0 && magic.compare(8, 4, "WAVE") == 0) {
    file.seekg(0);
    return ReadWav(file, mixToMono, audio, problem);
  }
  if (magic.compare(0, 4, "OggS") == 0) return ReadOggVorbis(path, mixToMono, audio, problem);
  problem = "it is neither a WAV nor an Ogg Vorbis file";
  return false;
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
