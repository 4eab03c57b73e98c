// ReadOggVorbis over vorbisfile; libogg's sync layer tells from the file's last bytes whether the
// stream ends there.
#include "ogg_vorbis_reader.h"

#include <ogg/ogg.h>
#include <vorbis/vorbisfile.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

#include "parse_number.h"

namespace {

constexpr std::streamoff kTailBytes = 65536;

// True when the file's last bytes end a page that carries the end-of-stream flag.
bool EndsWithLastPage(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::streamoff size = file.seekg(0, std::ios::end).tellg();
  const std::streamoff tail = std::min(size, kTailBytes);
  std::vector<char> bytes(static_cast<size_t>(tail));
  file.seekg(size - tail).read(bytes.data(), tail);
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  std::memcpy(ogg_sync_buffer(&sync, static_cast<long>(tail)), bytes.data(), bytes.size());
  ogg_sync_wrote(&sync, static_cast<long>(tail));
  ogg_page page;
  bool lastPageEnds = false;
  for (int result; (result = ogg_sync_pageout(&sync, &page)) != 0;) {
    if (result > 0) lastPageEnds = ogg_page_eos(&page);
  }
  // Bytes left in the sync layer belong to a page that the file cuts off.
  const bool nothingLeft = sync.fill == sync.returned;
  ogg_sync_clear(&sync);
  return lastPageEnds && nothingLeft;
}

void ReadLoopComments(vorbis_comment* comment, PcmAudio& audio) {
  const char* start = vorbis_comment_query(comment, "LOOPSTART", 0);
  const char* length = vorbis_comment_query(comment, "LOOPLENGTH", 0);
  if (!start || !length) return;
  audio.loopTag = "LOOPSTART and LOOPLENGTH comments";
  long startFrame = 0, lengthFrames = 0;
  if (!ParseWholeNumber(start, 0, INT32_MAX, startFrame) ||
      !ParseWholeNumber(length, 0, INT32_MAX - startFrame, lengthFrames)) {
    audio.loopTagProblem = "\"" + std::string(start) + "\" and \"" + length + "\" are no frame numbers";
    return;
  }
  audio.taggedLoop = {startFrame, startFrame + lengthFrames};
}

// Every link in one format; the loop comments of the first.
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
  ReadLoopComments(ov_comment(&file, 0), audio);
  return true;
}

bool ReadSamples(OggVorbis_File& file, PcmAudio& audio, std::string& error) {
  const ogg_int64_t total = ov_pcm_total(&file, -1);
  if (total > 0) audio.samples.reserve(static_cast<size_t>(total) * audio.channels);
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
    for (long frame = 0; frame < frames; ++frame) {
      for (int channel = 0; channel < channels; ++channel) values[channel] = pcm[channel][frame];
      audio.AppendFrame(values, channels);
    }
  }
}

}  // namespace

bool ReadOggVorbis(const std::string& path, bool mixToMono, PcmAudio& audio, std::string& error) {
  OggVorbis_File file;
  const int opened = ov_fopen(path.c_str(), &file);
  if (opened != 0) {
    error = opened == OV_ENOTVORBIS ? "it is Ogg, but holds no Vorbis stream" : "its Vorbis headers cannot be read";
    return false;
  }
  bool read = ReadFormat(file, mixToMono, audio, error) && ReadSamples(file, audio, error);
  ov_clear(&file);
  if (read && !EndsWithLastPage(path)) {
    error = "it is cut short: it does not end with the stream's last page";
    read = false;
  }
  audio.decodedFromVorbis = true;
  return read;
}
