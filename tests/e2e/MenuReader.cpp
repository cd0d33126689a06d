// Reading the program's menu bar, directly or through the probe library.
#include "MenuReader.h"

#include <cstdio>
#include <utility>

#include "Check.h"
#include "Wait.h"
#include "menuprobe/MenuProbeProtocol.h"

namespace e2e {

namespace {

MenuEntry EntryAt(HMENU owner, int menu, int item, UINT position) {
  MenuEntry entry;
  entry.menu = menu;
  entry.item = item;
  char caption[512] = {};
  GetMenuStringA(owner, position, caption, sizeof caption, MF_BYPOSITION);
  entry.caption = caption;
  entry.id = item < 0 ? 0 : GetMenuItemID(owner, static_cast<int>(position));
  entry.state = GetMenuState(owner, position, MF_BYPOSITION);
  return entry;
}

std::vector<MenuEntry> ParseAnswer(const std::string& text) {
  std::vector<MenuEntry> entries;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    MenuEntry entry;
    int captionAt = 0;
    if (std::sscanf(line.c_str(), "%d\t%d\t%u\t%u\t%n", &entry.menu, &entry.item, &entry.id,
                    &entry.state, &captionAt) < 4) {
      continue;
    }
    entry.caption = line.substr(static_cast<std::size_t>(captionAt));
    entries.push_back(entry);
  }
  return entries;
}

}  // namespace

MenuReader::MenuReader(HWND window, std::string probeLibrary)
    : window_(window), probeLibrary_(std::move(probeLibrary)) {}

MenuReader::~MenuReader() {
  if (hook_) UnhookWindowsHookEx(hook_);
  if (view_) UnmapViewOfFile(view_);
  if (mapping_) CloseHandle(mapping_);
  if (probe_) FreeLibrary(probe_);
}

std::vector<MenuEntry> MenuReader::read() {
  std::vector<MenuEntry> entries;
  if (!hook_ && readDirectly(entries)) return entries;
  return readThroughProbe();
}

bool MenuReader::readDirectly(std::vector<MenuEntry>& entries) const {
  HMENU bar = GetMenu(window_);
  int menus = bar ? GetMenuItemCount(bar) : -1;
  if (menus <= 0) return false;
  for (int menu = 0; menu < menus; ++menu) {
    entries.push_back(EntryAt(bar, menu, -1, static_cast<UINT>(menu)));
    HMENU popup = GetSubMenu(bar, menu);
    int items = popup ? GetMenuItemCount(popup) : -1;
    if (items < 0) return false;
    for (int item = 0; item < items; ++item) {
      entries.push_back(EntryAt(popup, menu, item, static_cast<UINT>(item)));
    }
  }
  return true;
}

void MenuReader::installProbe() {
  DWORD process = 0;
  DWORD thread = GetWindowThreadProcessId(window_, &process);
  probe_ = LoadLibraryA(probeLibrary_.c_str());
  Require(probe_ != nullptr, "cannot load the menu probe " + probeLibrary_);
  auto hookProcedure = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void (*)()>(GetProcAddress(probe_, menuprobe::kHookName)));
  Require(hookProcedure != nullptr, "the menu probe has no hook procedure");
  char name[64];
  std::snprintf(name, sizeof name, "%s%lu", menuprobe::kMappingPrefix, process);
  mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                menuprobe::kMappingSize, name);
  Require(mapping_ != nullptr, "cannot create the menu probe's shared memory");
  view_ = static_cast<char*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  Require(view_ != nullptr, "cannot map the menu probe's shared memory");
  hook_ = SetWindowsHookExA(WH_CALLWNDPROC, hookProcedure, probe_, thread);
  Require(hook_ != nullptr, "cannot hook the program's thread for the menu probe");
}

std::vector<MenuEntry> MenuReader::readThroughProbe() {
  if (!hook_) installProbe();
  static const UINT question = RegisterWindowMessageA(menuprobe::kQuestionMessage);
  view_[0] = '\0';
  DWORD_PTR ignored = 0;
  LRESULT delivered =
      SendMessageTimeoutA(window_, question, 0, 0, SMTO_NORMAL, kPatience, &ignored);
  Require(delivered != 0, "the main window did not answer within " +
                              std::to_string(kPatience / 1000) + " s (reading its menu bar)");
  Require(view_[0] == menuprobe::kAnswered, "the menu probe gave no answer");
  std::string text(view_ + 1, strnlen(view_ + 1, menuprobe::kMappingSize - 1));
  return ParseAnswer(text);
}

}  // namespace e2e
