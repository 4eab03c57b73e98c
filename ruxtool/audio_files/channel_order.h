// The channel order of WAV files (the speaker order of their channel masks) against Vorbis's.
#pragma once

// For 1 to 8 channels: the WAV channel that carries each Vorbis channel, in Vorbis order.
const int* WavChannelOfVorbisChannel(int channels);
