// The DLL's entry point: refuses to load on a processor without SSE2, which the library and its
// libvorbis are compiled for, rather than fault at the first decoded sample. This file alone is
// compiled without SSE, so that nothing before the check can use it.
#include <windows.h>

extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE instance, DWORD reason, LPVOID reserved);

namespace {

// Whether the runtime was set up, and so may be torn down: after a refused attach Windows still sends
// the detach.
bool attached = false;

}  // namespace

extern "C" BOOL WINAPI RuxEntryPoint(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    if (!IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE)) return FALSE;
    attached = DllMainCRTStartup(instance, reason, reserved) != FALSE;
    return attached;
  }
  if (!attached) return TRUE;
  return DllMainCRTStartup(instance, reason, reserved);
}
