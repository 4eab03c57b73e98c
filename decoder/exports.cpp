// The twelve exports of rux2.dll: a C surface over the decoder, one line each, none of which lets an
// exception reach the engine. Those that run libvorbis do so in the library's own floating-point state.
#include "decoder_record.h"
#include "floating_point_guard.h"
#include "frame_delivery.h"
#include "header_detection.h"
#include "record_lifecycle.h"
#include "rux2.h"
#include "source_binding.h"

namespace {

// An exception crossing the C boundary would end the engine. One caught here (an allocation the C++
// runtime failed) leaves the record as far as the export got, still closable, and the export
// returns `failed`.
template <typename Result, typename Body>
Result Guarded(Result failed, Body body) noexcept {
  try {
    return body();
  } catch (...) {
    return failed;
  }
}

// Guarded, in the library's own floating-point state, whatever the engine's thread has set.
template <typename Result, typename Body>
Result Decoding(Result failed, Body body) noexcept {
  const FloatingPointGuard guard;
  return Guarded(failed, body);
}

}  // namespace

int __cdecl RUX_Init(DecoderRecord* record) {
  return Guarded(0, [&] { return InitRecord(*record), 0; });
}

int __cdecl RUX_InputMemory(DecoderRecord* record, void* image, uint32_t size, int freeOnClose) {
  return Decoding(0, [&] { return BindMemory(*record, image, size, freeOnClose), 0; });
}

int __cdecl RUX_InputFile(DecoderRecord* record, const char* fileName, uint32_t offset, uint32_t size) {
  return Guarded(0, [&] { return BindFile(*record, fileName, offset, size), 0; });
}

int __cdecl RUX_InputMemory2(DecoderRecord* record, void* introImage, uint32_t introSize, void* loopImage,
                             uint32_t loopSize, int freeOnClose) {
  return Decoding(
      0, [&] { return BindMemoryPair(*record, introImage, introSize, loopImage, loopSize, freeOnClose), 0; });
}

int __cdecl RUX_InputFile2(DecoderRecord* record, const char* introFileName, const char* loopFileName) {
  return Guarded(0, [&] { return BindFilePair(*record, introFileName, loopFileName), 0; });
}

int __cdecl RUX_DetectConfigure(DecoderRecord* record) {
  return Decoding(RUX_HEADERS_DAMAGED, [&] { return DetectHeaders(*record); });
}

WAVEFORMATEX* __cdecl RUX_GetPcmFormat(DecoderRecord* record) {
  return reinterpret_cast<WAVEFORMATEX*>(&ActivePart(*record).header.formatTag);
}

int __cdecl RUX_GetPcmLength(DecoderRecord* record, int32_t* length) {
  *length = ActivePart(*record).header.pcmLength;
  return 0;
}

uint32_t __cdecl RUX_GetProcessFrame(DecoderRecord* record, void* buffer, uint32_t length) {
  return Decoding(0u, [&] { return DeliverFrames(*record, buffer, length); });
}

int __cdecl RUX_Replay(DecoderRecord* record) {
  return Decoding(0, [&] { return Restart(*record), 0; });
}

int __cdecl RUX_CloseCoder(DecoderRecord* record) {
  return Guarded(0, [&] { return CloseCoder(*record), 0; });
}

int __cdecl RUX_Close(DecoderRecord* record) {
  return Guarded(0, [&] { return CloseRecord(*record), 0; });
}
