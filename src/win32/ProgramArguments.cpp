// Reading the command line: Explorer, a build script or an IDE may name a file outside the 8-bit
// code page, so the line is read wide and each name turned into one the loaders can take.
#include "ProgramArguments.h"

#include <windows.h>
// windows.h first: shellapi.h relies on its types.
#include <shellapi.h>

#include "CodePage.h"
#include "SystemFunctions.h"
#include "app/ProgramArguments.h"

namespace loadergui::win32 {

namespace {

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t';
}

// The program's own name ends at the closing quote when it starts with one, else at the first
// blank, as CommandLineToArgvW reads it. Most starts name nothing after it, and those need not
// load shell32 for the split.
bool NamesMoreThanTheProgram(const wchar_t* line) {
  if (*line == L'"') {
    for (++line; *line && *line != L'"'; ++line) {
    }
    if (*line) ++line;
  } else {
    while (*line && !IsBlank(*line)) ++line;
  }
  while (IsBlank(*line)) ++line;
  return *line != L'\0';
}

// An option outside the code page is unknown whatever it says; it only needs to be shown.
std::string ShownText(const wchar_t* text) {
  if (auto narrow = Narrow(text)) return *narrow;
  int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string shown(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
  if (length > 0) WideCharToMultiByte(CP_ACP, 0, text, -1, shown.data(), length, nullptr, nullptr);
  shown.pop_back();
  return shown;
}

// "demo.elf", "..\out\demo.elf", "D:demo.elf" and "\out\demo.elf" all name a file from where
// the program was started; GetFullPathNameW resolves each as the system does.
std::string AbsolutePassablePath(const wchar_t* name) {
  DWORD needed = GetFullPathNameW(name, 0, nullptr, nullptr);
  if (needed == 0) return {};
  WideText full(needed, L'\0');
  DWORD length = GetFullPathNameW(name, needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return {};
  return PassablePath(full.data()).value_or(std::string());
}

}  // namespace

std::vector<std::string> ProgramArguments() {
  std::vector<std::string> arguments;
  const wchar_t* line = GetCommandLineW();
  if (!line || !NamesMoreThanTheProgram(line)) return arguments;
  static const auto split =
      FindSystemFunction<decltype(&CommandLineToArgvW)>("shell32.dll", "CommandLineToArgvW");
  int count = 0;
  wchar_t** argv = split ? split(line, &count) : nullptr;
  if (!argv) return arguments;
  for (int i = 1; i < count; ++i) {
    const wchar_t* argument = argv[i];
    if (*argument == L'\0') continue;
    bool option = *argument == static_cast<wchar_t>(kOptionMark);
    arguments.push_back(option ? ShownText(argument) : AbsolutePassablePath(argument));
  }
  LocalFree(argv);
  return arguments;
}

}  // namespace loadergui::win32
