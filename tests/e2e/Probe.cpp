// Reading the program's menu bar, directly or through the probe library; drops through it.
#include "Probe.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "Check.h"
#include "Wait.h"
#include "probe/ProbeProtocol.h"

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

// Returns a hook procedure that the probe library exports.
HOOKPROC ProbeProcedure(HMODULE probe, const char* name) {
  auto procedure =
      reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(GetProcAddress(probe, name)));
  Require(procedure != nullptr, std::string("the probe has no hook procedure ") + name);
  return procedure;
}

}  // namespace

Probe::Probe(HWND window, std::string probeLibrary)
    : window_(window), probeLibrary_(std::move(probeLibrary)) {}

Probe::~Probe() {
  if (keyHook_) UnhookWindowsHookEx(keyHook_);
  if (hook_) UnhookWindowsHookEx(hook_);
  if (view_) UnmapViewOfFile(view_);
  if (mapping_) CloseHandle(mapping_);
  if (probe_) FreeLibrary(probe_);
}

std::vector<MenuEntry> Probe::readMenus() {
  std::vector<MenuEntry> entries;
  if (!hook_ && readDirectly(entries)) return entries;
  return readThroughProbe();
}

bool Probe::readDirectly(std::vector<MenuEntry>& entries) const {
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

void Probe::installProbe() {
  DWORD process = 0;
  DWORD thread = GetWindowThreadProcessId(window_, &process);
  probe_ = LoadLibraryA(probeLibrary_.c_str());
  Require(probe_ != nullptr, "cannot load the probe " + probeLibrary_);
  char name[64];
  std::snprintf(name, sizeof name, "%s%lu", probe::kMappingPrefix, process);
  mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                probe::kMappingSize, name);
  Require(mapping_ != nullptr, "cannot create the probe's shared memory");
  view_ = static_cast<char*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  Require(view_ != nullptr, "cannot map the probe's shared memory");
  hook_ =
      SetWindowsHookExA(WH_CALLWNDPROC, ProbeProcedure(probe_, probe::kHookName), probe_, thread);
  Require(hook_ != nullptr, "cannot hook the program's thread for the probe");
  keyHook_ =
      SetWindowsHookExA(WH_GETMESSAGE, ProbeProcedure(probe_, probe::kKeyHookName), probe_, thread);
  Require(keyHook_ != nullptr, "cannot hook the program's queue for the probe");
  // The library comes into the program with the first hook call; a question brings it there
  // before any key is typed, so that the log misses none.
  ask(probe::kMenuQuestion, "loading the probe");
}

void Probe::ask(const char* message, const std::string& what) {
  if (!hook_) installProbe();
  const UINT registered = RegisterWindowMessageA(message);
  view_[0] = '\0';
  DWORD_PTR ignored = 0;
  LRESULT delivered =
      SendMessageTimeoutA(window_, registered, 0, 0, SMTO_NORMAL, kPatience, &ignored);
  Require(delivered != 0, "the main window did not answer within " +
                              std::to_string(kPatience / 1000) + " s (" + what + ")");
  Require(view_[0] == probe::kAnswered, "the probe gave no answer (" + what + ")");
}

std::vector<MenuEntry> Probe::readThroughProbe() {
  ask(probe::kMenuQuestion, "reading its menu bar");
  std::string text(view_ + 1, strnlen(view_ + 1, probe::kMappingSize - 1));
  return ParseAnswer(text);
}

void Probe::dropFiles(const std::vector<std::string>& paths) {
  if (!hook_) installProbe();
  std::string list;
  for (const std::string& path : paths) list += path + '\0';
  list += '\0';
  Require(list.size() < probe::kMappingSize - 1, "too many files to drop at once");
  std::memcpy(view_ + 1, list.data(), list.size());
  ask(probe::kDropRequest, "dropping files");
  // The drop is posted: a sent message would overtake it, so a posted marker follows it, and
  // the drop has been taken once the marker has.
  const auto* log = reinterpret_cast<const probe::KeyLog*>(view_ + probe::kKeyLogOffset);
  long before = log->markers;
  PostMessageA(window_, RegisterWindowMessageA(probe::kQueueMarker), 0, 0);
  Require(WaitUntil([&] { return log->markers > before; }),
          "the program did not take the dropped files from its queue");
}

long Probe::keysTaken() {
  if (!hook_) installProbe();
  return reinterpret_cast<const probe::KeyLog*>(view_ + probe::kKeyLogOffset)->count;
}

std::vector<WORD> Probe::keysTakenSince(long from) {
  long count = keysTaken();
  const auto* log = reinterpret_cast<const probe::KeyLog*>(view_ + probe::kKeyLogOffset);
  std::vector<WORD> keys;
  for (long index = std::max(from, count - static_cast<long>(probe::kLoggedKeys)); index < count;
       ++index) {
    keys.push_back(log->keys[static_cast<unsigned long>(index) % probe::kLoggedKeys]);
  }
  return keys;
}

}  // namespace e2e
