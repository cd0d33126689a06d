// System functions found at run time: newer user32 functions, and the dialog libraries loaded on
// first use.
#pragma once

#include <windows.h>

namespace loadergui::win32 {

// The address of a function exported by a system library, or nullptr where the system lacks
// the library or the function. A library that is not loaded yet is loaded then, from the
// system folder only (never from the program's folder or the current directory), and stays
// loaded for the rest of the run.
FARPROC FindSystemProcedure(const char* library, const char* name);

// FindSystemProcedure, typed. The detour through void(*)() is the one cast between function
// types that GCC accepts without a warning.
template <typename Function>
Function FindSystemFunction(const char* library, const char* name) {
  FARPROC found = FindSystemProcedure(library, name);
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

// A user32 function of newer Windows versions, so that the program still starts on older
// systems; nullptr where the system lacks it.
template <typename Function>
Function FindUser32Function(const char* name) {
  return FindSystemFunction<Function>("user32.dll", name);
}

}  // namespace loadergui::win32
