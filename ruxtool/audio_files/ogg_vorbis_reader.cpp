// ReadOggVorbis over vorbisfile, reading through the input's handle; libogg's sync layer tells from
// the file's last bytes whether the stream ends there.
#include "audio_files/ogg_vorbis_reader.h"

#include <ogg/ogg.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "audio_files/loop_tags.h"
#include "audio_files/sample_room.h"
#include "system/stop_request.h"

namespace {

constexpr int64_t kTailBytes = 65536;

long TellIn(void* file) { return static_cast<long>(static_cast<InputFile*>(file)->Tell()); }

// The handle stays the caller's: vorbisfile gets no close function.
const ov_callbacks kInputCallbacks = {InputFile::ReadItems, InputFile::SeekTo, nullptr, TellIn};

// True when the file's last bytes end a page that carries the end-of-stream flag.
bool EndsWithLastPage(InputFile& file) {
  const int64_t tail = std::min(file.Size(), kTailBytes);
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  char* buffer = ogg_sync_buffer(&sync, static_cast<long>(tail));
  const bool read = file.ReadAt(file.Size() - tail, buffer, static_cast<size_t>(tail));
  ogg_sync_wrote(&sync, static_cast<long>(tail));
  ogg_page page;
  bool lastPageEnds = false;
  for (int result; (result = ogg_sync_pageout(&sync, &page)) != 0;) {
    if (result > 0) lastPageEnds = ogg_page_eos(&page);
  }
  // Bytes left in the sync layer belong to a page that the file cuts off.
  const bool nothingLeft = sync.fill == sync.returned;
  ogg_sync_clear(&sync);
  return read && lastPageEnds && nothingLeft;
}

std::vector<std::string> CommentsOf(const vorbis_comment* comment) {
  std::vector<std::string> comments;
  for (int i = 0; i < comment->comments; ++i) {
    comments.emplace_back(comment->user_comments[i], static_cast<size_t>(comment->comment_lengths[i]));
  }
  return comments;
}

// Every link in one format.
bool ReadFormat(OggVorbis_File& file, bool mixToMono, PcmAudio& audio, std::string& error) {
  const vorbis_info* first = ov_info(&file, 0);
  for (long link = 1; link < ov_streams(&file); ++link) {
    const vorbis_info* info = ov_info(&file, static_cast<int>(link));
    if (info->channels != first->channels || info->rate != first->rate) {
      error = "its chained streams differ in channels or rate";
      return false;
    }
  }
  if (first->channels > 8) {
    error = "it has " + std::to_string(first->channels) + " channels; ruxtool takes 1 to 8";
    return false;
  }
  audio.channels = mixToMono ? 1 : first->channels;
  audio.rate = first->rate;
  return true;
}

// The last granule position gives the frames; a damaged one may give any number.
bool ReadSamples(OggVorbis_File& file, PcmAudio& audio, std::string& error) {
  const SampleRoom room(audio.samples, ov_pcm_total(&file, -1), audio.channels);
  const int channels = ov_info(&file, 0)->channels;
  float values[8];
  for (;;) {
    float** pcm = nullptr;
    int link = 0;
    const long frames = ov_read_float(&file, &pcm, 4096, &link);
    if (frames == 0) return true;
    if (frames < 0) {
      error = "it is damaged: pages are missing or corrupt";
      return false;
    }
    if (!room.Take(frames * audio.channels, error)) return false;
    if (StopRequested()) {
      error = "interrupted";
      return false;
    }
    for (long frame = 0; frame < frames; ++frame) {
      for (int channel = 0; channel < channels; ++channel) values[channel] = pcm[channel][frame];
      audio.AppendFrame(values, channels);
    }
  }
}

bool Open(InputFile& input, OggVorbis_File& file, std::string& error) {
  input.Seek(0, SEEK_SET);
  const int opened = ov_open_callbacks(&input, &file, nullptr, 0, kInputCallbacks);
  if (opened == 0) return true;
  error = opened == OV_ENOTVORBIS ? "it is Ogg, but holds no Vorbis stream" : "its Vorbis headers cannot be read";
  return false;
}

}  // namespace

bool ReadOggVorbisShape(InputFile& input, AudioShape& shape, std::string& error) {
  OggVorbis_File file;
  if (!Open(input, file, error)) return false;
  const vorbis_info* info = ov_info(&file, 0);
  shape = {info->channels, info->rate, std::max<int64_t>(ov_pcm_total(&file, -1), 0)};
  ov_clear(&file);
  return true;
}

bool ReadOggVorbis(InputFile& input, bool mixToMono, PcmAudio& audio, std::string& error) {
  OggVorbis_File file;
  if (!Open(input, file, error)) return false;
  // The loop comments of the first link.
  const std::vector<std::string> comments = CommentsOf(ov_comment(&file, 0));
  bool read = ReadFormat(file, mixToMono, audio, error) && ReadSamples(file, audio, error);
  ov_clear(&file);
  if (read && !EndsWithLastPage(input)) {
    error = "it is cut short: it does not end with the stream's last page";
    read = false;
  }
  ReadLoopTags(comments, audio.Frames(), audio);
  audio.decodedFromVorbis = true;
  return read;
}
