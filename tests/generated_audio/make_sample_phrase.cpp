// make_sample_phrase FOLDER: writes the sample phrase "phrase.wav" into FOLDER: a two-bar
// introduction and a four-bar loop, written out twice, in stereo at 44100 Hz, with the loop in its
// smpl chunk, for ruxtool make to turn into an introduction and a loop part.
#include <windows.h>

#include <cstdio>
#include <string>

#include "music_generator.h"
#include "wav_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sample_phrase FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  const GeneratedSong song = MakeSong(SongShape{}, 2, 44100);
  const std::string path = folder + "phrase.wav";
  if (!WriteWavFile(path, 2, 44100, Pcm16(song.audio.samples), &song.loop)) {
    std::fprintf(stderr, "make_sample_phrase: cannot write %s\n", path.c_str());
    return 1;
  }
  std::printf("%s: %ld frames, the loop from frame %ld to %ld\n", path.c_str(), song.audio.Frames(), song.loop.start,
              song.loop.end);
  return 0;
}
