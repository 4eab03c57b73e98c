/* WAVEFORMATEX as the Windows SDK lays it out. */
#ifndef TEST_ENGINE_MMREG_H
#define TEST_ENGINE_MMREG_H
#pragma pack(push, 1)
typedef struct tWAVEFORMATEX {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
  WORD cbSize;
} WAVEFORMATEX;
#pragma pack(pop)
#endif
