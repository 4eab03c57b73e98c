// FlacBytes: libFLAC's encoder writing into a string, which it seeks back into at the end to fill in
// the stream's length and MD5 sum.
#include "flac_bytes.h"

#include <FLAC/metadata.h>
#include <FLAC/stream_encoder.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

struct Output {
  std::string bytes;
  size_t position = 0;
};

FLAC__StreamEncoderWriteStatus Write(const FLAC__StreamEncoder*, const FLAC__byte buffer[], size_t bytes, uint32_t,
                                     uint32_t, void* output) {
  Output& out = *static_cast<Output*>(output);
  if (out.bytes.size() < out.position + bytes) out.bytes.resize(out.position + bytes);
  std::memcpy(&out.bytes[out.position], buffer, bytes);
  out.position += bytes;
  return FLAC__STREAM_ENCODER_WRITE_STATUS_OK;
}

FLAC__StreamEncoderSeekStatus Seek(const FLAC__StreamEncoder*, FLAC__uint64 offset, void* output) {
  static_cast<Output*>(output)->position = static_cast<size_t>(offset);
  return FLAC__STREAM_ENCODER_SEEK_STATUS_OK;
}

FLAC__StreamEncoderTellStatus Tell(const FLAC__StreamEncoder*, FLAC__uint64* offset, void* output) {
  *offset = static_cast<Output*>(output)->position;
  return FLAC__STREAM_ENCODER_TELL_STATUS_OK;
}

FLAC__StreamMetadata* CommentBlock(const std::vector<std::string>& comments) {
  FLAC__StreamMetadata* block = FLAC__metadata_object_new(FLAC__METADATA_TYPE_VORBIS_COMMENT);
  for (const std::string& comment : comments) {
    const size_t equals = comment.find('=');
    FLAC__StreamMetadata_VorbisComment_Entry entry;
    FLAC__metadata_object_vorbiscomment_entry_from_name_value_pair(&entry, comment.substr(0, equals).c_str(),
                                                                   comment.substr(equals + 1).c_str());
    FLAC__metadata_object_vorbiscomment_append_comment(block, entry, false);
  }
  return block;
}

}  // namespace

std::string FlacBytes(int channels, long rate, int bits, const std::vector<float>& samples,
                      const std::vector<std::string>& comments) {
  std::vector<FLAC__int32> integers;
  const double scale = std::ldexp(1.0, bits - 1);
  for (float sample : samples) {
    integers.push_back(static_cast<FLAC__int32>(std::clamp(std::lround(sample * scale), -static_cast<long>(scale),
                                                           static_cast<long>(scale) - 1)));
  }
  FLAC__StreamEncoder* encoder = FLAC__stream_encoder_new();
  FLAC__stream_encoder_set_channels(encoder, static_cast<uint32_t>(channels));
  FLAC__stream_encoder_set_bits_per_sample(encoder, static_cast<uint32_t>(bits));
  FLAC__stream_encoder_set_sample_rate(encoder, static_cast<uint32_t>(rate));
  FLAC__StreamMetadata* block = CommentBlock(comments);
  FLAC__stream_encoder_set_metadata(encoder, &block, 1);
  Output output;
  FLAC__stream_encoder_init_stream(encoder, Write, Seek, Tell, nullptr, &output);
  FLAC__stream_encoder_process_interleaved(encoder, integers.data(), static_cast<uint32_t>(integers.size() / channels));
  FLAC__stream_encoder_finish(encoder);
  FLAC__stream_encoder_delete(encoder);
  FLAC__metadata_object_delete(block);
  return output.bytes;
}
