// The settings file on disk: read once, replaced in one step, never left half written or lost.
#include "profile/ProfileFile.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <string>

#include "profile/ProfileSettingsFile.h"

namespace loadergui::profile {
namespace {

namespace fs = std::filesystem;

class ProfileFileTest : public ::testing::Test {
 protected:
  ProfileFileTest() {
    std::string pattern = (fs::temp_directory_path() / "profilefile-XXXXXX").string();
    folder = mkdtemp(pattern.data());
  }
  ~ProfileFileTest() override {
    std::error_code ignored;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(folder, ignored);
  }
  std::string path(const std::string& name) const { return (folder / name).string(); }
  void write(const std::string& name, const std::string& text) const {
    std::ofstream(folder / name, std::ios::binary) << text;
  }
  std::string read(const std::string& name) const {
    std::ifstream in(folder / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // The names in the folder, so that a test sees a new file left behind.
  std::set<std::string> entries(const fs::path& where) const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(where)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }
  // One save of one key, as the program's save makes it.
  std::string save(const std::string& name, const std::string& value = "&Download") {
    ProfileSettingsFile file(path(name));
    file.writePrivateProfileString("SETTINGS", "TYPE", value);
    return file.save();
  }

  fs::path folder;
};

TEST_F(ProfileFileTest, MissingFileReadsEmptyWithoutComplaint) {
  FileText file = ReadFileText(path("none.ini"));
  EXPECT_EQ(file.text, "");
  EXPECT_EQ(file.failure, "");
  EXPECT_FALSE(fs::exists(folder / "none.ini"));
}

TEST_F(ProfileFileTest, ReadsTheWholeFile) {
  std::string text = "[options]\nAddress = \"0x8c020000\" \n" + std::string(100000, ';');
  write("s.ini", text);
  EXPECT_EQ(ReadFileText(path("s.ini")).text, text);
}

TEST_F(ProfileFileTest, SaveCreatesAMissingFile) {
  EXPECT_EQ(save("new.ini"), "");
  EXPECT_EQ(read("new.ini"), "[SETTINGS]\r\nTYPE=&Download\r\n");
  EXPECT_EQ(entries(folder), std::set<std::string>{"new.ini"});
}

TEST_F(ProfileFileTest, SaveKeepsEveryOtherByteOfTheFile) {
  write("s.ini", "; kept\n[Other]\nfoo = bar \n\n[SETTINGS]\r\nTYPE=&Upload\r\n");
  EXPECT_EQ(save("s.ini"), "");
  EXPECT_EQ(read("s.ini"), "; kept\n[Other]\nfoo = bar \n\n[SETTINGS]\r\nTYPE=&Download\r\n");
  EXPECT_EQ(entries(folder), std::set<std::string>{"s.ini"});
}

TEST_F(ProfileFileTest, SaveKeepsTheFilesPermissions) {
  write("s.ini", "[SETTINGS]\r\nTYPE=&Upload\r\n");
  fs::permissions(folder / "s.ini", fs::perms(0640));
  EXPECT_EQ(save("s.ini"), "");
  EXPECT_EQ(fs::status(folder / "s.ini").permissions(), fs::perms(0640));
}

// A settings file kept as a link (to a shared copy, say) stays a link; its target takes the text.
TEST_F(ProfileFileTest, SaveWritesThroughSymbolicLinks) {
  fs::create_directory(folder / "shared");
  write("shared/real.ini", "[SETTINGS]\r\nTYPE=&Upload\r\n");
  fs::create_symlink("shared/real.ini", folder / "middle.ini");
  fs::create_symlink(folder / "middle.ini", folder / "s.ini");
  EXPECT_EQ(save("s.ini"), "");
  EXPECT_TRUE(fs::is_symlink(folder / "s.ini"));
  EXPECT_TRUE(fs::is_symlink(folder / "middle.ini"));
  EXPECT_EQ(read("shared/real.ini"), "[SETTINGS]\r\nTYPE=&Download\r\n");
  EXPECT_EQ(entries(folder / "shared"), std::set<std::string>{"real.ini"});
}

TEST_F(ProfileFileTest, SaveThroughADanglingLinkCreatesItsTarget) {
  fs::create_symlink("made.ini", folder / "s.ini");
  EXPECT_EQ(save("s.ini"), "");
  EXPECT_EQ(read("made.ini"), "[SETTINGS]\r\nTYPE=&Download\r\n");
}

// ---- Saves that cannot be made: the reason, and the old file as it was ----

struct RefusedSave {
  const char* name;
  void (*arrange)(const fs::path& folder);  // lays out what is in the way
  const char* file;
  const char* reason;
};

void PrintTo(const RefusedSave& c, std::ostream* os) {
  *os << c.name;
}

const RefusedSave kRefusedSaves[] = {
    {"MissingFolder", [](const fs::path&) {}, "nofolder/s.ini", "No such file or directory."},
    {"FolderInThePlaceOfTheFile",
     [](const fs::path& folder) { fs::create_directory(folder / "s.ini"); }, "s.ini",
     "Is a directory."},
    // Read-only counts even for the superuser, as a read-only file does on Windows.
    {"ReadOnlyFile",
     [](const fs::path& folder) {
       std::ofstream(folder / "s.ini") << "[SETTINGS]\r\nTYPE=&Upload\r\n";
       fs::permissions(folder / "s.ini", fs::perms(0444));
     },
     "s.ini", "Permission denied."},
    {"LinkLoop",
     [](const fs::path& folder) {
       fs::create_symlink("b.ini", folder / "s.ini");
       fs::create_symlink("s.ini", folder / "b.ini");
     },
     "s.ini", "Too many levels of symbolic links."},
};

class RefusedSaveTest : public ProfileFileTest,
                        public ::testing::WithParamInterface<RefusedSave> {};

TEST_P(RefusedSaveTest, SaysWhyAndLeavesEverythingAsItWas) {
  const RefusedSave& c = GetParam();
  c.arrange(folder);
  std::set<std::string> before = entries(folder);
  std::error_code noFile;
  bool isFile = fs::is_regular_file(folder / c.file, noFile);
  std::string old = isFile ? read(c.file) : "";
  EXPECT_EQ(save(c.file), c.reason);
  EXPECT_EQ(entries(folder), before);
  if (isFile) {
    EXPECT_EQ(read(c.file), old);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, RefusedSaveTest, ::testing::ValuesIn(kRefusedSaves),
                         [](const auto& info) { return std::string(info.param.name); });

// A file that could not be read is never replaced: its other sections would be lost with it.
TEST_F(ProfileFileTest, AFileThatCouldNotBeReadIsNotReplaced) {
  fs::create_directory(folder / "s.ini");
  ProfileSettingsFile file(path("s.ini"));
  char buffer[8];
  EXPECT_EQ(file.getPrivateProfileString("SETTINGS", "TYPE", "", buffer, sizeof buffer), 0u);
  file.writePrivateProfileString("SETTINGS", "TYPE", "&Upload");
  EXPECT_EQ(file.save(), "Is a directory.");
  EXPECT_TRUE(fs::is_directory(folder / "s.ini"));
}

// Nothing to write: a read-only file that already holds every value is no reason to complain.
TEST_F(ProfileFileTest, AnUnchangedFileIsLeftAlone) {
  write("s.ini", "[SETTINGS]\r\nTYPE=&Download\r\n");
  fs::permissions(folder / "s.ini", fs::perms(0444));
  auto inode = [&] {
    struct stat status {};
    stat(path("s.ini").c_str(), &status);
    return status.st_ino;
  };
  auto before = inode();
  EXPECT_EQ(save("s.ini"), "");
  EXPECT_EQ(inode(), before);
}

// ---- A full file system ----

// A file system of 16 KiB that the test mounts where it may (as root); elsewhere a limit on the
// size of files this process writes stands in for it, in a child process.
class FullDiskTest : public ProfileFileTest {
 protected:
  void SetUp() override {
    disk = folder / "disk";
    fs::create_directory(disk);
    mounted = mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=16k") == 0;
  }
  void TearDown() override {
    if (mounted) umount(disk.c_str());
  }
  fs::path disk;
  bool mounted = false;
};

TEST_F(FullDiskTest, ASaveThatDoesNotFitLeavesTheOldFileWhole) {
  const std::string old = "[SETTINGS]\r\nTYPE=&Upload\r\n" + std::string(6000, ';') + "\r\n";
  std::ofstream(disk / "s.ini", std::ios::binary) << old;
  const std::string value(12000, 'v');  // the new file does not fit beside the old one
  std::string reason;
  if (mounted) {
    ProfileSettingsFile file((disk / "s.ini").string());
    file.writePrivateProfileString("SETTINGS", "TYPE", value);
    reason = file.save();
    EXPECT_EQ(reason, "No space left on device.");
  } else {
    std::cout << "[ NOTE     ] no file system could be mounted here; a file size limit stands in\n";
    int answer[2];
    ASSERT_EQ(pipe(answer), 0);
    pid_t child = fork();
    if (child == 0) {
      signal(SIGXFSZ, SIG_IGN);
      struct rlimit limit {
        16384, 16384
      };
      setrlimit(RLIMIT_FSIZE, &limit);
      ProfileSettingsFile file((disk / "s.ini").string());
      file.writePrivateProfileString("SETTINGS", "TYPE", value);
      std::string said = file.save();
      ssize_t ignored = ::write(answer[1], said.data(), said.size());
      (void)ignored;
      _exit(0);
    }
    close(answer[1]);
    char text[256] = {};
    ssize_t length = ::read(answer[0], text, sizeof text - 1);
    close(answer[0]);
    waitpid(child, nullptr, 0);
    reason.assign(text, length > 0 ? static_cast<std::size_t>(length) : 0);
    EXPECT_EQ(reason, "File too large.");
  }
  std::ifstream in(disk / "s.ini", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), old);
  EXPECT_EQ(entries(disk), std::set<std::string>{"s.ini"});
}

}  // namespace
}  // namespace loadergui::profile
