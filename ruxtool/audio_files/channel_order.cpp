// WavChannelOfVorbisChannel: Vorbis puts the centre between the front pair and the LFE last; WAV puts
// the centre after the front pair and the LFE right after it.
#include "audio_files/channel_order.h"

namespace {

const int kOrders[8][8] = {
    {0},                       // mono
    {0, 1},                    // front left, right
    {0, 2, 1},                 // left, centre, right
    {0, 1, 2, 3},              // front left, right; rear left, right
    {0, 2, 1, 3, 4},           // left, centre, right; rear left, right
    {0, 2, 1, 4, 5, 3},        // 5.1: left, centre, right; rear left, right; LFE
    {0, 2, 1, 5, 6, 4, 3},     // 6.1: left, centre, right; side left, right; rear centre; LFE
    {0, 2, 1, 6, 7, 4, 5, 3},  // 7.1: left, centre, right; side left, right; rear left, right; LFE
};

}  // namespace

const int* WavChannelOfVorbisChannel(int channels) { return kOrders[channels - 1]; }
