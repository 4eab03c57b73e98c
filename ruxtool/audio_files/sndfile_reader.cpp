// ReadSoundFile: libsndfile reads through the input's handle, as the chunk check and libFLAC do, so
// that the file is opened once, by its wide name; the samples come in blocks in the file's channel
// order, which is WAV's for every format here, and are put into Vorbis order.
#include "audio_files/sndfile_reader.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "audio_files/channel_order.h"
#include "audio_files/chunk_check.h"
#include "audio_files/flac_comments.h"
#include "audio_files/loop_tags.h"
#include "audio_files/sample_room.h"
#include "system/stop_request.h"

namespace {

constexpr sf_count_t kFramesPerBlock = 65536;

sf_count_t LengthOf(void* file) { return static_cast<InputFile*>(file)->Size(); }
sf_count_t SeekIn(sf_count_t offset, int whence, void* file) {
  InputFile* input = static_cast<InputFile*>(file);
  return input->Seek(offset, whence) ? input->Tell() : -1;
}
sf_count_t ReadFrom(void* buffer, sf_count_t bytes, void* file) {
  return static_cast<sf_count_t>(static_cast<InputFile*>(file)->Read(buffer, static_cast<size_t>(bytes)));
}
sf_count_t WriteNothing(const void*, sf_count_t, void*) { return 0; }
sf_count_t TellIn(void* file) { return static_cast<InputFile*>(file)->Tell(); }

SF_VIRTUAL_IO kInputIo = {LengthOf, SeekIn, ReadFrom, WriteNothing, TellIn};

using SoundFile = std::unique_ptr<SNDFILE, int (*)(SNDFILE*)>;

// sf_error(nullptr) reads one code for the whole process, which any open sets: opens wait their turn,
// so that a failed one reads its own.
std::mutex opening;

SoundFile Open(InputFile& file, SF_INFO& info, std::string& error) {
  file.Seek(0, SEEK_SET);
  std::unique_lock<std::mutex> lock(opening);
  SoundFile sound(sf_open_virtual(&kInputIo, SFM_READ, &info, &file), sf_close);
  if (sound) return sound;
  const int code = sf_error(nullptr);
  lock.unlock();
  error = code == SF_ERR_UNRECOGNISED_FORMAT
              ? "it is not an audio file that ruxtool reads (WAV, RF64, W64, AIFF, AIFC, FLAC, CAF or Ogg Vorbis)"
              : std::string("libsndfile cannot read it: ") + sf_error_number(code);
  return sound;
}

bool CheckFormat(const SF_INFO& info, std::string& error) {
  if (info.channels < 1 || info.channels > 8) {
    error = "it has " + std::to_string(info.channels) + " channels; ruxtool takes 1 to 8";
    return false;
  }
  return true;
}

bool ReadSamples(SNDFILE* sound, const SF_INFO& info, PcmAudio& audio, std::string& error) {
  const int* fileChannel = WavChannelOfVorbisChannel(info.channels);
  const SampleRoom room(audio.samples, info.frames, audio.channels);
  std::vector<float> block(static_cast<size_t>(kFramesPerBlock) * info.channels);
  float values[8];
  sf_count_t read = 0;
  for (sf_count_t count; (count = sf_readf_float(sound, block.data(), kFramesPerBlock)) > 0; read += count) {
    if (!room.Take(count * audio.channels, error)) return false;
    if (StopRequested()) {
      error = "interrupted";
      return false;
    }
    for (const float* frame = block.data(); frame < block.data() + count * info.channels; frame += info.channels) {
      for (int channel = 0; channel < info.channels; ++channel) values[channel] = frame[fileChannel[channel]];
      audio.AppendFrame(values, info.channels);
    }
  }
  if (sf_error(sound) != SF_ERR_NO_ERROR || read < info.frames) {
    error = "it is cut short or damaged: " + std::to_string(read) + " of its " + std::to_string(info.frames) +
            " frames can be read";
    return false;
  }
  return true;
}

// A position as a frame number; one a 32-bit long cannot hold lies past the end of any input.
long FrameAt(unsigned position) { return static_cast<long>(std::min<unsigned>(position, INT32_MAX)); }

// libsndfile gives a smpl chunk's loop the end field + 1, and an AIFF sustain loop its end marker's
// position: both the frame after the loop's last.
void ReadInstrumentLoop(SNDFILE* sound, const SF_INFO& info, PcmAudio& audio) {
  SF_INSTRUMENT instrument{};
  if (sf_command(sound, SFC_GET_INSTRUMENT, &instrument, sizeof instrument) != SF_TRUE ||
      instrument.loop_count < 1 || instrument.loops[0].mode == SF_LOOP_NONE) {
    return;
  }
  const bool aiff = (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_AIFF;
  audio.loopTag = aiff ? "INST chunk's sustain loop" : "smpl chunk";
  audio.taggedLoop = {FrameAt(instrument.loops[0].start), FrameAt(instrument.loops[0].end)};
}

}  // namespace

bool ReadSoundFileShape(InputFile& file, AudioShape& shape, std::string& error) {
  SF_INFO info{};
  if (!Open(file, info, error)) return false;
  shape = {info.channels, info.samplerate, info.frames};
  return true;
}

bool ReadSoundFile(InputFile& file, bool mixToMono, PcmAudio& audio, std::string& error) {
  if (!CheckChunksWhole(file, error)) return false;
  SF_INFO info{};
  const SoundFile sound = Open(file, info, error);
  if (!sound || !CheckFormat(info, error)) return false;
  audio.channels = mixToMono ? 1 : info.channels;
  audio.rate = info.samplerate;
  if (!ReadSamples(sound.get(), info, audio, error)) return false;
  ReadInstrumentLoop(sound.get(), info, audio);
  // libsndfile is done with the handle, which libFLAC now moves.
  if ((info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_FLAC) ReadLoopTags(ReadFlacComments(file), audio.Frames(), audio);
  return true;
}
