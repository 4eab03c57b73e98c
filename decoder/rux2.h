/* rux2.dll for engine developers: the decoder record, the twelve exports, their result codes, and
   the types and ordinals to load them at run time. C89 or later, or C++; Visual C++ or MinGW.

   Threads: the library keeps no state outside the records. Calls on one record must come from one
   thread at a time; different records may be used on different threads at once. A file source reads
   its file on a thread of its own, from the input call until RUX_Close or the next binding.
   Unloading: close every record with RUX_Close before the DLL is unloaded, and never call RUX_Close
   under the loader lock (in DllMain, or in a DLL's static destructors or atexit handlers): it waits
   for the reader thread to end, which cannot happen while the loader lock is held. */
#ifndef RUX2_H
#define RUX2_H

#if defined(_MSC_VER) && _MSC_VER < 1600
/* Visual C++ before 2010 has no stdint.h. */
typedef unsigned __int8 uint8_t;
typedef signed __int16 int16_t;
typedef unsigned __int16 uint16_t;
typedef signed __int32 int32_t;
typedef unsigned __int32 uint32_t;
#else
#include <stdint.h>
#endif

#ifdef _WIN32
#include <windows.h>
/* WAVEFORMATEX, after the Windows types it is made of. */
#include <mmreg.h>
#else
/* Outside Windows, in the library's host build for tests and measurements: the calling convention
   has no name, and WAVEFORMATEX is laid out as Windows lays it out. */
#define __cdecl
#define WAVE_FORMAT_PCM 1
#pragma pack(push, 1)
typedef struct WAVEFORMATEX {
  uint16_t wFormatTag;
  uint16_t nChannels;
  uint32_t nSamplesPerSec;
  uint32_t nAvgBytesPerSec;
  uint16_t nBlockAlign;
  uint16_t wBitsPerSample;
  uint16_t cbSize;
} WAVEFORMATEX;
#pragma pack(pop)
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The library's reader of one file source. Opaque to the engine. */
struct CFileStream;

/* Where one part of a stream comes from and how far it has been read (28 bytes). Positions count
   from the start of the memory image, or are absolute positions in the file. */
typedef struct SourceSlot {
  uint32_t freeOnClose;           /* nonzero: the library frees memoryImage with LocalFree on close */
  void* memoryImage;              /* the engine's image of the stream, or null for a file */
  uint32_t dataStart;             /* first byte of Ogg data, past any header; a replay rewinds here */
  uint32_t dataLimit;             /* one past the last byte of the stream */
  uint32_t readPos;               /* next byte to read */
  uint32_t exhausted;             /* nonzero once the part has nothing more to read */
  struct CFileStream* fileSource; /* the library's file reader, or null for a memory image */
} SourceSlot;

/* The header of one part and its PCM format (52 bytes); byte for byte an "RX2A" header. */
typedef struct StreamHeader {
  uint32_t magic;          /* the header's first four bytes, 0 without a header */
  uint32_t headerValue1;   /* carried from the header unchanged */
  int32_t pcmLength;       /* length in sample frames */
  uint32_t headerValue3;   /* carried from the header unchanged */
  uint8_t headerExtra[16]; /* carried from an "RX2A" header unchanged, else zero */
  /* From here to extraSize: the layout of WAVEFORMATEX. */
  uint16_t formatTag;
  uint16_t channels;
  uint32_t samplesPerSec;
  uint32_t avgBytesPerSec;
  uint16_t blockAlign;
  uint16_t bitsPerSample;
  uint16_t extraSize;
  uint16_t reserved; /* an "RX2A" header's bytes 50 and 51, else zero */
} StreamHeader;

/* One part of a stream: its source and its header (80 bytes). */
typedef struct StreamPart {
  SourceSlot source;
  StreamHeader header;
} StreamPart;

/* Everything the library knows about one stream (212 bytes). The engine allocates it, keeps it at
   one address from RUX_Init to RUX_Close, may read it between calls and writes none of it. */
typedef struct DecoderRecord {
  uint32_t decoderReady; /* nonzero once header detection has begun; 1 while decoding is ready */
  void* syncState;       /* the library's eight libogg and libvorbis state blocks */
  void* page;
  void* streamState;
  void* packet;
  void* vorbisInfo;
  void* vorbisComment;
  void* dspState;
  void* block;
  StreamPart part[2];      /* the only part or the introduction; the loop part */
  uint32_t twoPart;        /* nonzero after RUX_InputMemory2 or RUX_InputFile2 */
  uint32_t loopPartActive; /* nonzero once RUX_Replay has switched to the loop part */
  void* lastSyncBuffer;    /* written by the library, never read */
  uint32_t resumePending;  /* the last RUX_GetProcessFrame stopped inside a page */
} DecoderRecord;

/* Results of RUX_DetectConfigure. */
#define RUX_OK 0
#define RUX_NO_FIRST_PAGE (-1)      /* no complete Ogg page in the first 1024 bytes, or no data */
#define RUX_FIRST_PAGE_REFUSED (-2) /* the Ogg stream layer refused the first page */
#define RUX_NO_FIRST_PACKET (-3)    /* the first page holds no complete packet */
#define RUX_NOT_VORBIS (-4)         /* the first packet is no Vorbis identification header */
#define RUX_HEADER_GAP (-5)         /* packets are missing between the second and third headers */
#define RUX_HEADERS_CUT (-6)        /* the data ends before the comment and setup headers */
#define RUX_HEADERS_DAMAGED (-7)    /* the comment or setup header cannot prepare a decoder */

/* The active part: the loop part once RUX_Replay has switched to it, else the first part. Its
   source's exhausted flag tells when a part has ended. */
static __inline StreamPart* RuxActivePart(DecoderRecord* record) {
  return &record->part[record->twoPart && record->loopPartActive ? 1 : 0];
}

/* Exports resolve by these names, or by their ordinals (RUX_ORDINAL_..., below).

   The usual order: RUX_Init, one input function, RUX_DetectConfigure, RUX_GetPcmFormat and
   RUX_GetPcmLength, RUX_GetProcessFrame until the part ends, RUX_Replay to play again, RUX_Close.
   Every other order is safe too, and each export below says what it does out of that order. Once
   the record is closed nothing is left behind, and a stream bound (and detected) last plays in full
   whatever came before. No export lets an exception reach the caller. */

/* RUX_Init: prepares a record the engine has allocated, or closed with RUX_Close (not one in use:
   what that held would be lost).
   record: kept alive and in place until RUX_Close returns.
   Returns 0. The library owns its state blocks from here until RUX_Close. */
int __cdecl RUX_Init(DecoderRecord* record);

/* RUX_InputMemory: binds the record to a stream in memory, with or without a header.
   image, size: the whole stream, header included; a headerless image's format and length are read
   from its Vorbis data at once. freeOnClose: nonzero hands the image to the library, which frees it
   with LocalFree on RUX_CloseCoder or RUX_Close (allocate it with LocalAlloc); zero leaves it the
   engine's, to keep alive until the record is closed.
   Binding a record already bound, decoding or not, with or without RUX_CloseCoder first, ends the
   earlier binding as closing would (its decoder released, its file readers stopped, its images
   passed with freeOnClose freed unless the same image is bound again); this holds for every input
   function. Frames come again once the new stream is detected.
   Returns 0. */
int __cdecl RUX_InputMemory(DecoderRecord* record, void* image, uint32_t size, int freeOnClose);

/* RUX_InputFile: binds the record to a stream in a file, with or without a header.
   fileName: ANSI path, used during the call only. offset: where the stream (its header, if any)
   begins. size: its bytes, header included; 0 stands for the rest of the file. The library opens
   the file and loads the stream's bytes, and only those, on a reader thread of its own until
   RUX_Close or the next binding: a stream inside a pack file of up to 4 GiB costs what the stream
   alone costs. A file that cannot be opened, or a stream that does not fit in memory, is an empty
   stream.
   Returns 0. A headerless file reports the default format (16-bit stereo, 44100 Hz) and length 0
   until RUX_DetectConfigure. */
int __cdecl RUX_InputFile(DecoderRecord* record, const char* fileName, uint32_t offset, uint32_t size);

/* RUX_InputMemory2: binds the record to an introduction and a loop part in memory, both plain Ogg
   Vorbis without a header. freeOnClose applies to both images, as for RUX_InputMemory.
   Returns 0. */
int __cdecl RUX_InputMemory2(DecoderRecord* record, void* introImage, uint32_t introSize, void* loopImage,
                             uint32_t loopSize, int freeOnClose);

/* RUX_InputFile2: binds the record to an introduction file and a loop file, both plain Ogg Vorbis.
   Both report length 0 and the default format until their headers are detected.
   Returns 0. */
int __cdecl RUX_InputFile2(DecoderRecord* record, const char* introFileName, const char* loopFileName);

/* RUX_DetectConfigure: reads the active part's three Vorbis headers and prepares decoding; the
   format block then describes the delivered PCM (16-bit, the stream's channels and rate).
   The part is read from its beginning every time: called again (while decoding, after frames asked
   for too early, after a failure) it releases the earlier decoder and starts over; once RUX_Replay
   has switched to the loop part, it restarts the loop part. A setup header whose codebooks would
   take more stack, memory or time than a game thread can spare is refused as RUX_HEADERS_DAMAGED.
   Returns RUX_OK, or one of the negative results above; after a negative result the record
   delivers no frames (its part reads as ended) until it is detected again, bound again or closed. */
int __cdecl RUX_DetectConfigure(DecoderRecord* record);

/* RUX_GetPcmFormat: the active part's format block, inside the record: valid as long as the
   record, rewritten by the input functions, RUX_DetectConfigure and the switch to the loop part.
   After RUX_DetectConfigure it describes the delivered PCM: format tag 1 (or a header's tag),
   16 bits, the stream's channels and rate. cbSize (the record's extraSize) is 16 when the library
   supplies the format, that is without a header, and a header's own value otherwise; it counts no
   bytes that follow the block, and Windows ignores it for PCM. */
WAVEFORMATEX* __cdecl RUX_GetPcmFormat(DecoderRecord* record);

/* RUX_GetPcmLength: stores the active part's length in sample frames at length: a header's length;
   for a headerless image in memory, the length read from its Vorbis data when it was bound; for a
   headerless file, 0, before and after RUX_DetectConfigure (the library does not read a file ahead
   to learn its length).
   Returns 0. */
int __cdecl RUX_GetPcmLength(DecoderRecord* record, int32_t* length);

/* RUX_GetProcessFrame: decodes interleaved signed 16-bit little-endian PCM into buffer.
   length: bytes wanted. A call stops once it has written length bytes or more, after the last page
   of the stream, or when the buffered data runs out (after reading up to 1024 more bytes), so 0
   does not mean the end: the active part has ended when its exhausted flag is set and a call
   returns 0.
   buffer: room for length + 4096 * C * 2 bytes, where C is the nChannels that RUX_GetPcmFormat
   reported after the first successful RUX_DetectConfigure since the record was bound (for two
   parts, the introduction's). No call writes more, whatever the stream: a decoded chunk holds at
   most 4096 frames of C channels, and a loop part whose channel count differs from C plays as
   ended.
   Before a successful RUX_DetectConfigure, after a failed one, after RUX_CloseCoder or RUX_Close,
   a call writes nothing, returns 0 and marks the part ended; a later detection still plays the
   stream from its beginning.
   Returns the bytes written. */
uint32_t __cdecl RUX_GetProcessFrame(DecoderRecord* record, void* buffer, uint32_t length);

/* RUX_Replay: starts the stream again: a single stream from its beginning; a two-part stream
   switches to its loop part on the first call and restarts that part on every later one. If the
   part's Vorbis headers cannot be read, or a loop part has other channels than its introduction,
   the record delivers nothing (its part reads as ended) until it is detected again, bound again or
   closed. Before a successful RUX_DetectConfigure, or after a failed one, the call does nothing.
   Returns 0. */
int __cdecl RUX_Replay(DecoderRecord* record);

/* RUX_CloseCoder: releases the decoder state and the images passed with freeOnClose; the file
   readers and the state blocks stay until RUX_Close. Safe at any time and twice. The record may
   then be bound again; detected again without a new binding, it plays its stream again where the
   bytes are still there (a file, or an image the engine kept).
   Returns 0. */
int __cdecl RUX_CloseCoder(DecoderRecord* record);

/* RUX_Close: releases everything the library holds for the record: decoder state, state blocks,
   images passed with freeOnClose, file readers (their threads stopped). Safe to repeat. The record
   may then be prepared again with RUX_Init; until then frames return 0 and detection returns
   RUX_NO_FIRST_PAGE.
   Returns 0. */
int __cdecl RUX_Close(DecoderRecord* record);

/* The exports' types, for engines that load rux2.dll at run time and resolve each export with
   GetProcAddress, by name or by its ordinal (MAKEINTRESOURCEA(RUX_ORDINAL_...)). */
typedef int(__cdecl* RUX_InitFunction)(DecoderRecord* record);
typedef int(__cdecl* RUX_InputMemoryFunction)(DecoderRecord* record, void* image, uint32_t size,
                                               int freeOnClose);
typedef int(__cdecl* RUX_InputFileFunction)(DecoderRecord* record, const char* fileName, uint32_t offset,
                                             uint32_t size);
typedef int(__cdecl* RUX_InputMemory2Function)(DecoderRecord* record, void* introImage, uint32_t introSize,
                                                void* loopImage, uint32_t loopSize, int freeOnClose);
typedef int(__cdecl* RUX_InputFile2Function)(DecoderRecord* record, const char* introFileName,
                                              const char* loopFileName);
typedef int(__cdecl* RUX_DetectConfigureFunction)(DecoderRecord* record);
typedef WAVEFORMATEX*(__cdecl* RUX_GetPcmFormatFunction)(DecoderRecord* record);
typedef int(__cdecl* RUX_GetPcmLengthFunction)(DecoderRecord* record, int32_t* length);
typedef uint32_t(__cdecl* RUX_GetProcessFrameFunction)(DecoderRecord* record, void* buffer, uint32_t length);
typedef int(__cdecl* RUX_ReplayFunction)(DecoderRecord* record);
typedef int(__cdecl* RUX_CloseCoderFunction)(DecoderRecord* record);
typedef int(__cdecl* RUX_CloseFunction)(DecoderRecord* record);

#define RUX_ORDINAL_CLOSE 1
#define RUX_ORDINAL_CLOSE_CODER 2
#define RUX_ORDINAL_DETECT_CONFIGURE 3
#define RUX_ORDINAL_GET_PCM_FORMAT 4
#define RUX_ORDINAL_GET_PCM_LENGTH 5
#define RUX_ORDINAL_GET_PROCESS_FRAME 6
#define RUX_ORDINAL_INIT 7
#define RUX_ORDINAL_INPUT_FILE 8
#define RUX_ORDINAL_INPUT_FILE2 9
#define RUX_ORDINAL_INPUT_MEMORY 10
#define RUX_ORDINAL_INPUT_MEMORY2 11
#define RUX_ORDINAL_REPLAY 12

#ifdef __cplusplus
}
#endif

#endif
