/* The few Windows declarations of the test engine and of rux2.h, as the Windows SDK has them: no SDK is
   at hand. */
#ifndef TEST_ENGINE_WINDOWS_H
#define TEST_ENGINE_WINDOWS_H
#define WINAPI __stdcall
typedef void* HANDLE;
typedef void* HMODULE;
typedef unsigned long DWORD;
typedef unsigned short WORD;
typedef int BOOL;
typedef const char* LPCSTR;
typedef int (WINAPI* FARPROC)(void);
#define INVALID_HANDLE_VALUE ((HANDLE)(long)-1)
#define GENERIC_READ 0x80000000UL
#define GENERIC_WRITE 0x40000000UL
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define FILE_ATTRIBUTE_NORMAL 0x80
#define LMEM_FIXED 0
#define MAKEINTRESOURCEA(i) ((LPCSTR)(unsigned long)(WORD)(i))
__declspec(dllimport) HANDLE WINAPI CreateFileA(LPCSTR, DWORD, DWORD, void*, DWORD, DWORD, HANDLE);
__declspec(dllimport) BOOL WINAPI ReadFile(HANDLE, void*, DWORD, DWORD*, void*);
__declspec(dllimport) BOOL WINAPI WriteFile(HANDLE, const void*, DWORD, DWORD*, void*);
__declspec(dllimport) DWORD WINAPI GetFileSize(HANDLE, DWORD*);
__declspec(dllimport) BOOL WINAPI CloseHandle(HANDLE);
__declspec(dllimport) void* WINAPI LocalAlloc(unsigned, unsigned long);
__declspec(dllimport) HMODULE WINAPI LoadLibraryA(LPCSTR);
__declspec(dllimport) FARPROC WINAPI GetProcAddress(HMODULE, LPCSTR);
__declspec(dllimport) void WINAPI ExitProcess(unsigned);
#endif
