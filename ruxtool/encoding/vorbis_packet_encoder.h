// libvorbisenc turned into packets: the three headers, and each audio packet with its block size, for
// the caller to lay into pages.
#pragma once

#include <vorbis/vorbisenc.h>

#include <string>
#include <vector>

struct VorbisSettings {
  int channels = 2;
  long rate = 44100;
  float quality = 0.5f;  // libvorbisenc's VBR quality, -0.1 to 1
  int serial = 1;
  std::vector<std::string> comments;  // "NAME=value", after the encoder's own
};

struct AudioPacket {
  std::string bytes;
  int blockSize;  // samples in the packet's window
};

class VorbisPacketEncoder {
 public:
  explicit VorbisPacketEncoder(const VorbisSettings& settings);
  ~VorbisPacketEncoder();
  VorbisPacketEncoder(const VorbisPacketEncoder&) = delete;
  VorbisPacketEncoder& operator=(const VorbisPacketEncoder&) = delete;

  // False when libvorbisenc refuses the channels, rate or quality; nothing else may be called then.
  bool Ready() const { return ready_; }
  // Identification, comment and setup header.
  std::vector<std::string> Headers();
  // Interleaved frames in Vorbis channel order.
  void Write(const float* samples, long frames);
  // Ends the stream; the audio packets are then complete. The first packet's window is centred on the
  // first frame written, and each packet k > 0 completes the frames from the centre of packet k - 1 to
  // its own centre, blockSize[k - 1] / 4 + blockSize[k] / 4 further on.
  std::vector<AudioPacket>& Finish();

 private:
  void TakePackets();

  const int channels_;
  bool ready_ = false;
  vorbis_info info_;
  vorbis_comment comment_;
  vorbis_dsp_state dsp_;
  vorbis_block block_;
  std::vector<AudioPacket> packets_;
};

// The long block size libvorbisenc chooses for the settings; 0 when it refuses them.
long LongBlockSize(const VorbisSettings& settings);
