/* A small engine as Visual C++ builds one, in C89 without its C runtime: it links rux2.lib, decodes
   "stream.ogg" of its working folder completely, once from memory and once from the file, and writes
   the PCM to "memory.pcm" and "file.pcm"; it also resolves an export by its ordinal at run time. Exit
   code 0 when both decodes ran to the end and the resolved export is the linked one. */
#include <windows.h>

#include "rux2.h"

/* Room for a request and one decoded chunk of up to eight channels. */
#define REQUEST 4096
static char buffer[REQUEST + 4096 * 8 * 2];

static HANDLE Create(const char* name) {
  return CreateFileA(name, GENERIC_WRITE, 0, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
}

/* Plays the bound stream once into the file; 0 when it played to its end. */
static int Play(DecoderRecord* record, const char* outputName) {
  HANDLE output = Create(outputName);
  int result = 1;
  if (output != INVALID_HANDLE_VALUE && RUX_DetectConfigure(record) == RUX_OK &&
      RUX_GetPcmFormat(record)->wBitsPerSample == 16) {
    for (;;) {
      DWORD written = 0;
      const uint32_t bytes = RUX_GetProcessFrame(record, buffer, REQUEST);
      WriteFile(output, buffer, bytes, &written, 0);
      if (bytes == 0 && RuxActivePart(record)->source.exhausted) break;
    }
    result = 0;
  }
  if (output != INVALID_HANDLE_VALUE) CloseHandle(output);
  RUX_Close(record);
  return result;
}

/* The whole file in local memory, which the library frees with the record. */
static void* ReadAll(const char* name, uint32_t* size) {
  HANDLE file = CreateFileA(name, GENERIC_READ, 0, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
  void* image = 0;
  DWORD read = 0;
  *size = 0;
  if (file == INVALID_HANDLE_VALUE) return 0;
  *size = GetFileSize(file, 0);
  image = LocalAlloc(LMEM_FIXED, *size);
  if (image) ReadFile(file, image, *size, &read, 0);
  CloseHandle(file);
  return image;
}

/* 0 when the export at RUX_GetPcmLength's ordinal, called through its type, answers as the linked
   function does. */
static int ResolveByOrdinal(DecoderRecord* record) {
  const HMODULE library = LoadLibraryA("rux2.dll");
  const RUX_GetPcmLengthFunction getPcmLength =
      (RUX_GetPcmLengthFunction)GetProcAddress(library, MAKEINTRESOURCEA(RUX_ORDINAL_GET_PCM_LENGTH));
  int32_t resolved = -1, linked = -2;
  if (!getPcmLength || getPcmLength(record, &resolved) != 0) return 1;
  RUX_GetPcmLength(record, &linked);
  return resolved == linked && resolved > 0 ? 0 : 1;
}

void __cdecl EngineMain(void) {
  DecoderRecord record;
  uint32_t size = 0;
  void* image = ReadAll("stream.ogg", &size);
  int failures = 0;
  RUX_Init(&record);
  RUX_InputMemory(&record, image, size, 1);
  failures += ResolveByOrdinal(&record);
  failures += Play(&record, "memory.pcm");
  RUX_Init(&record);
  RUX_InputFile(&record, "stream.ogg", 0, 0);
  failures += Play(&record, "file.pcm");
  ExitProcess(failures);
}
