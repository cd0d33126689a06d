// The benchmark of a large settings file: the program's load and save sequences (the Linux
// program's profile store, run through the stand-in platform) on a file of 20 MB, timed, with
// the memory they take at their peak.
//
//   settings_bench [MEGABYTES]
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/App.h"
#include "null/Services.h"
#include "null/Toolkit.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Peak resident memory of this process so far, in bytes.
long long PeakMemory() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<long long>(usage.ru_maxrss) * 1024;
}

double Seconds(Clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

// The program's own sections first, then another program's section of ordinary lines; written
// line by line, so that the benchmark's own memory stays out of the figures.
void WriteLargeSettings(const fs::path& path, std::size_t bytes) {
  std::ofstream out(path, std::ios::binary);
  std::string head =
      "[SETTINGS]\r\nTYPE=&Upload\r\nRAVLINK=Serial\r\n[OPTIONS]\r\nADDRESS=0x8c010000\r\n"
      "[ELSEWHERE]\r\n";
  out << head;
  std::size_t written = head.size();
  for (long line = 0; written < bytes; ++line) {
    std::string entry =
        "ENTRY" + std::to_string(line) + "=a value some other program keeps here\r\n";
    out << entry;
    written += entry.size();
  }
}

}  // namespace

int main(int argc, char** argv) {
  const double megabytes = argc > 1 ? std::atof(argv[1]) : 20.0;
  std::string pattern = (fs::temp_directory_path() / "settings-bench-XXXXXX").string();
  fs::path folder = mkdtemp(pattern.data());
  fs::create_directories(folder / "tools");
  WriteLargeSettings(folder / "tools" / "settings.ini",
                     static_cast<std::size_t>(megabytes * 1024 * 1024));
  const long long fileSize =
      static_cast<long long>(fs::file_size(folder / "tools" / "settings.ini"));

  loadergui::null::NullServices services(folder.string(), "ravlinkgui");
  loadergui::null::NullToolkit toolkit;
  const long long before = PeakMemory();
  Clock::time_point started = Clock::now();
  int status = 1;
  {
    loadergui::App app(services.interfaces(), toolkit);
    if (app.start()) {
      Clock::duration load = Clock::now() - started;
      const long long afterLoad = PeakMemory();
      app.frmOptions().txtAddress->setText("0x8c020000");
      started = Clock::now();
      app.frmMain().mnuFileExit->click();
      Clock::duration save = Clock::now() - started;
      const long long peak = PeakMemory() - before;
      const double multiple = static_cast<double>(peak) / static_cast<double>(fileSize);
      std::printf("large settings file: %.1f MB\n", static_cast<double>(fileSize) / 1e6);
      std::printf("  load (start-up):   %.3f s, memory %.1f MB\n", Seconds(load),
                  static_cast<double>(afterLoad - before) / 1e6);
      std::printf("  save (exit):       %.3f s\n", Seconds(save));
      std::printf("  peak memory:       %.1f MB, %.1f times the file\n",
                  static_cast<double>(peak) / 1e6, multiple);
      bool met = Seconds(load) <= 1.0 && Seconds(save) <= 1.0 && multiple <= 4.0 &&
                 services.messages.empty();
      std::printf(
          "  targets: load and save within 1 s each, peak memory at most 4 times the "
          "file: %s\n",
          met ? "met" : "MISSED");
      status = met ? 0 : 1;
    }
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return status;
}
