// The program's command line as the Linux program reads it: file names made absolute from where
// it was started, options as typed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "qt/ProgramArguments.h"

namespace loadergui::qttest {
namespace {

namespace fs = std::filesystem;

struct ArgumentCase {
  const char* name;
  std::string argument;
  std::string expected;  // "{top}" stands for the test's folder, links resolved
};

const ArgumentCase kArguments[] = {
    {"a name from where the program was started", "demo.elf", "{top}/build/demo.elf"},
    {"a name up a folder", "../demo.elf", "{top}/demo.elf"},
    {"a folder reached through a link", "out/demo.elf", "{top}/real out/demo.elf"},
    {"the file's own link keeps its name", "latest.elf", "{top}/build/latest.elf"},
    {"a name in a folder that does not exist", "gone/demo.elf", "{top}/build/gone/demo.elf"},
    {"an absolute name", "{top}/demo.elf", "{top}/demo.elf"},
    {"an option as typed", "--execute", "--execute"},
    {"an unknown option as typed", "-x", "-x"},
    {"a name that is not UTF-8", "demo\xff.elf", ""},
};

std::string Filled(std::string text, const std::string& top) {
  std::size_t at = text.find("{top}");
  return at == std::string::npos ? text : text.replace(at, 5, top);
}

TEST(ArgumentsTest, FileNamesComeAbsoluteFromTheStartingFolder) {
  std::string pattern = (fs::temp_directory_path() / "loadergui-args-XXXXXX").string();
  fs::path top = fs::canonical(mkdtemp(pattern.data()));
  fs::create_directories(top / "build");
  fs::create_directories(top / "real out");
  fs::create_directory_symlink(top / "real out", top / "build" / "out");
  fs::create_symlink(top / "demo.elf", top / "build" / "latest.elf");
  fs::path before = fs::current_path();
  fs::current_path(top / "build");

  for (const auto& c : kArguments) {
    SCOPED_TRACE(c.name);
    std::string argument = Filled(c.argument, top.string());
    std::vector<char*> argv = {const_cast<char*>("ravlinkgui"), argument.data()};
    EXPECT_EQ(qt::ProgramArguments(static_cast<int>(argv.size()), argv.data()),
              std::vector<std::string>{Filled(c.expected, top.string())});
  }
  std::vector<char*> empty = {const_cast<char*>("ravlinkgui"), const_cast<char*>("")};
  EXPECT_TRUE(qt::ProgramArguments(2, empty.data()).empty()) << "an empty argument names nothing";

  fs::current_path(before);
  fs::remove_all(top);
}

}  // namespace
}  // namespace loadergui::qttest
