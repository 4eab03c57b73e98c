// The twelve exports of rux2.dll: a thin C surface over the decoder. Those that run libvorbis
// do so in the library's own floating-point state.
#include "decoder_record.h"
#include "floating_point_guard.h"
#include "frame_delivery.h"
#include "header_detection.h"
#include "record_lifecycle.h"
#include "rux2.h"
#include "source_binding.h"

int __cdecl RUX_Init(DecoderRecord* record) {
  InitRecord(*record);
  return 0;
}

int __cdecl RUX_InputMemory(DecoderRecord* record, void* image, uint32_t size, int freeOnClose) {
  const FloatingPointGuard guard;
  BindMemory(*record, image, size, freeOnClose);
  return 0;
}

int __cdecl RUX_InputFile(DecoderRecord* record, const char* fileName, uint32_t offset, uint32_t size) {
  BindFile(*record, fileName, offset, size);
  return 0;
}

int __cdecl RUX_InputMemory2(DecoderRecord* record, void* introImage, uint32_t introSize, void* loopImage,
                             uint32_t loopSize, int freeOnClose) {
  const FloatingPointGuard guard;
  BindMemoryPair(*record, introImage, introSize, loopImage, loopSize, freeOnClose);
  return 0;
}

int __cdecl RUX_InputFile2(DecoderRecord* record, const char* introFileName, const char* loopFileName) {
  BindFilePair(*record, introFileName, loopFileName);
  return 0;
}

int __cdecl RUX_DetectConfigure(DecoderRecord* record) {
  const FloatingPointGuard guard;
  return DetectHeaders(*record);
}

WAVEFORMATEX* __cdecl RUX_GetPcmFormat(DecoderRecord* record) {
  return reinterpret_cast<WAVEFORMATEX*>(&ActivePart(*record).header.formatTag);
}

int __cdecl RUX_GetPcmLength(DecoderRecord* record, int32_t* length) {
  *length = ActivePart(*record).header.pcmLength;
  return 0;
}

uint32_t __cdecl RUX_GetProcessFrame(DecoderRecord* record, void* buffer, uint32_t length) {
  const FloatingPointGuard guard;
  return DeliverFrames(*record, buffer, length);
}

int __cdecl RUX_Replay(DecoderRecord* record) {
  const FloatingPointGuard guard;
  Restart(*record);
  return 0;
}

int __cdecl RUX_CloseCoder(DecoderRecord* record) {
  CloseCoder(*record);
  return 0;
}

int __cdecl RUX_Close(DecoderRecord* record) {
  CloseRecord(*record);
  return 0;
}
