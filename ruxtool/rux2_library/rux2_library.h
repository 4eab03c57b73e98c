// rux2.dll loaded the way the engine loads it: LoadLibrary, then every export resolved by name.
#pragma once

#include <windows.h>

#include "rux2_library/rux2_exports.h"

class Rux2Library : public Rux2Exports {
 public:
  // Loads rux2.dll from the program's folder, else from the folder above it.
  Rux2Library();
  ~Rux2Library();
  Rux2Library(const Rux2Library&) = delete;
  Rux2Library& operator=(const Rux2Library&) = delete;

  // True when the DLL loaded and all twelve exports resolved.
  bool Ready() const { return ready_; }
  HMODULE Module() const { return module_; }

 private:
  template <typename Function>
  void Resolve(const char* name, Function& function) {
    // Through void(*)(): the one cast between function types that keeps its meaning.
    function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module_, name)));
    ready_ = ready_ && function;
  }

  HMODULE module_;
  bool ready_;
};
