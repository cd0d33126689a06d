// The desktop entry: the Exec key for every kind of path, and the entry and icons written into
// and removed from a data folder of the test's own.
#include "qt/DesktopEntry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace loadergui::qttest {
namespace {

namespace fs = std::filesystem;

struct ExecCase {
  const char* name;
  const char* program;
  const char* exec;  // as it stands in the file
};

// Reserved characters quote the path; inside the quotes ", `, $ and \ take a backslash, which
// the file's own escapes double; a percent sign is doubled everywhere.
const ExecCase kExecs[] = {
    {"PlainPath", "/opt/ravlinkgui/ravlinkgui", "/opt/ravlinkgui/ravlinkgui %f"},
    {"Blank", "/home/ann/My Tools/ravlinkgui", "\"/home/ann/My Tools/ravlinkgui\" %f"},
    {"SingleQuote", "/home/ann/Ann's/ravlinkgui", "\"/home/ann/Ann's/ravlinkgui\" %f"},
    {"DoubleQuote", "/opt/say \"hi\"/ravlinkgui", "\"/opt/say \\\\\"hi\\\\\"/ravlinkgui\" %f"},
    {"Dollar", "/opt/a$HOME/ravlinkgui", "\"/opt/a\\\\$HOME/ravlinkgui\" %f"},
    {"Backtick", "/opt/a`b/ravlinkgui", "\"/opt/a\\\\`b/ravlinkgui\" %f"},
    {"Backslash", "/opt/a\\b/ravlinkgui", "\"/opt/a\\\\\\\\b/ravlinkgui\" %f"},
    {"Percent", "/opt/100%/ravlinkgui", "/opt/100%%/ravlinkgui %f"},
    {"PercentInQuotes", "/opt/100 %f/ravlinkgui", "\"/opt/100 %%f/ravlinkgui\" %f"},
    {"Shell", "/opt/a&b|c;d<e>f/ravlinkgui", "\"/opt/a&b|c;d<e>f/ravlinkgui\" %f"},
    {"Wildcards", "/opt/*?[x]/ravlinkgui", "\"/opt/*?[x]/ravlinkgui\" %f"},
    {"HashTildeBrackets", "/opt/#1~(old)/ravlinkgui", "\"/opt/#1~(old)/ravlinkgui\" %f"},
    {"Tab", "/opt/a\tb/ravlinkgui", "\"/opt/a\\tb/ravlinkgui\" %f"},
    {"LineFeed", "/opt/a\nb/ravlinkgui", "\"/opt/a\\nb/ravlinkgui\" %f"},
    {"CarriageReturn", "/opt/a\rb/ravlinkgui", "\"/opt/a\\rb/ravlinkgui\" %f"},
    {"EqualsSign", "/opt/a=b/ravlinkgui", "/opt/a=b/ravlinkgui %f"},
    {"NotAscii", "/home/jörg/ツール/ravlinkgui", "/home/jörg/ツール/ravlinkgui %f"},
};

TEST(DesktopEntryTest, ExecQuotesThePathByTheDesktopEntryRules) {
  for (const ExecCase& c : kExecs) {
    SCOPED_TRACE(c.name);
    std::optional<QString> exec = qt::ExecValue(QString::fromUtf8(c.program));
    ASSERT_TRUE(exec.has_value());
    EXPECT_EQ(exec->toStdString(), c.exec);
  }
}

TEST(DesktopEntryTest, APathWithAnotherControlCharacterIsNoEntry) {
  for (const char* program : {"/opt/a\x01"
                              "b/ravlinkgui",
                              "/opt/a\x1b[0m/ravlinkgui", "/opt/a\x7f/ravlinkgui"}) {
    EXPECT_FALSE(qt::ExecValue(QString::fromUtf8(program)).has_value()) << program;
    EXPECT_FALSE(qt::InstalledEntry(QString::fromUtf8(program)).has_value()) << program;
  }
}

struct DataHomeCase {
  const char* name;
  const char* xdgDataHome;
  const char* home;
  const char* expected;  // nullptr: none
};

const DataHomeCase kDataHomes[] = {
    {"XdgDataHome", "/srv/data", "/home/ann", "/srv/data"},
    {"XdgDataHomeWithASlashAtTheEnd", "/srv/data/", "/home/ann", "/srv/data"},
    {"HomeWithASlashAtTheEnd", "", "/home/ann/", "/home/ann/.local/share"},
    {"HomeWhenUnset", "", "/home/ann", "/home/ann/.local/share"},
    {"HomeWhenRelative", "data", "/home/ann", "/home/ann/.local/share"},
    {"XdgDataHomeWithoutHome", "/srv/data", "", "/srv/data"},
    {"Neither", "", "", nullptr},
    {"RelativeWithoutHome", "data", "", nullptr},
};

TEST(DesktopEntryTest, TheDataFolderIsXdgDataHomeElseTheHomesLocalShare) {
  for (const DataHomeCase& c : kDataHomes) {
    SCOPED_TRACE(c.name);
    std::optional<QString> home = qt::DataHome(c.xdgDataHome, c.home);
    ASSERT_EQ(home.has_value(), c.expected != nullptr);
    if (c.expected) {
      EXPECT_EQ(home->toStdString(), c.expected);
    }
  }
}

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& content) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

// The entry the Linux archive carries, from the source tree.
std::string PackagedEntry() {
  std::string source = __FILE__;
  return ReadFile(source.substr(0, source.rfind("/tests/qt/")) +
                  "/packaging/linux/ravlinkgui.desktop");
}

TEST(DesktopEntryTest, TheInstalledEntryIsThePackagedOneNamingTheProgram) {
  std::optional<QByteArray> entry = qt::InstalledEntry(QStringLiteral("/opt/My Tools/ravlinkgui"));
  ASSERT_TRUE(entry.has_value());
  std::vector<std::string> expected;
  for (const std::string& line : Lines(PackagedEntry())) {
    if (line.rfind("Exec=", 0) == 0) {
      expected.push_back("Exec=\"/opt/My Tools/ravlinkgui\" %f");
      expected.push_back("TryExec=/opt/My Tools/ravlinkgui");
    } else {
      expected.push_back(line);
    }
  }
  EXPECT_EQ(Lines(entry->toStdString()), expected);
  EXPECT_NE(std::find(expected.begin(), expected.end(), "Icon=ravlinkgui"), expected.end());
}

// ---- Installing and removing, in a data folder of the test's own

const int kPngSizes[] = {16, 24, 32, 48, 64, 128, 256};
constexpr char kEntry[] = "applications/ravlinkgui.desktop";
constexpr char kSvg[] = "icons/hicolor/scalable/apps/ravlinkgui.svg";

std::string PngPath(int size) {
  std::string folder = std::to_string(size) + "x" + std::to_string(size);
  return "icons/hicolor/" + folder + "/apps/ravlinkgui.png";
}

std::vector<std::string> OurFiles() {
  std::vector<std::string> files;
  for (int size : kPngSizes) files.push_back(PngPath(size));
  files.push_back(kSvg);
  files.push_back(kEntry);
  return files;
}

// Every file below a folder, relative to it, with its content.
std::map<std::string, std::string> FilesBelow(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& item : fs::recursive_directory_iterator(folder)) {
    if (item.is_regular_file()) {
      files[fs::relative(item.path(), folder).string()] = ReadFile(item.path());
    }
  }
  return files;
}

class DesktopEntryFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(temporary.isValid()); }
  int install() {
    out.str({});
    errors.str({});
    return qt::InstallDesktopEntry(QString::fromStdString(dataHome.string()), program, out, errors);
  }
  int remove() {
    out.str({});
    errors.str({});
    return qt::RemoveDesktopEntry(QString::fromStdString(dataHome.string()), out, errors);
  }

  QTemporaryDir temporary;
  fs::path dataHome = fs::path(temporary.path().toStdString()) / "new folder" / "share";
  QString program = QStringLiteral("/opt/ravlink gui/ravlinkgui");
  std::ostringstream out;
  std::ostringstream errors;
};

TEST_F(DesktopEntryFilesTest, InstallWritesTheEntryAndTheIconsAndSaysSo) {
  ASSERT_EQ(install(), 0) << errors.str();
  EXPECT_EQ(errors.str(), "");
  std::map<std::string, std::string> written = FilesBelow(dataHome);
  std::vector<std::string> expectedOut;
  for (const std::string& file : OurFiles()) {
    SCOPED_TRACE(file);
    EXPECT_EQ(written.count(file), 1u);
    expectedOut.push_back("wrote " + (dataHome / file).string());
  }
  EXPECT_EQ(written.size(), OurFiles().size());
  // The icons first, the entry last, which is the order they are written in.
  std::vector<std::string> said = Lines(out.str());
  std::sort(expectedOut.begin(), expectedOut.end() - 1);
  EXPECT_EQ(said, expectedOut);
  EXPECT_EQ(written[kEntry], qt::InstalledEntry(program)->toStdString());
  for (int size : kPngSizes) {
    SCOPED_TRACE(size);
    QImage png(QString::fromStdString((dataHome / PngPath(size)).string()));
    EXPECT_EQ(png.width(), size);
    EXPECT_EQ(png.height(), size);
    EXPECT_TRUE(png.hasAlphaChannel());
  }
  EXPECT_NE(written[kSvg].find("<svg"), std::string::npos);
  // The folders it made are the user's alone.
  for (const char* made : {"..", "", "applications", "icons", "icons/hicolor/16x16/apps"}) {
    SCOPED_TRACE(made);
    EXPECT_EQ(fs::status(dataHome / made).permissions() & fs::perms::all, fs::perms::owner_all);
  }
}

TEST_F(DesktopEntryFilesTest, InstallReplacesAnOlderEntryAndLeavesOtherFilesAlone) {
  WriteFile(dataHome / kEntry, "[Desktop Entry]\nExec=/old/place/ravlinkgui %f\n");
  WriteFile(dataHome / PngPath(48), "an old icon");
  WriteFile(dataHome / "applications/other.desktop", "another program's entry");
  WriteFile(dataHome / "icons/hicolor/48x48/apps/other.png", "another program's icon");
  ASSERT_EQ(install(), 0) << errors.str();
  std::map<std::string, std::string> files = FilesBelow(dataHome);
  EXPECT_EQ(files[kEntry], qt::InstalledEntry(program)->toStdString());
  EXPECT_NE(files[PngPath(48)], "an old icon");
  EXPECT_EQ(files["applications/other.desktop"], "another program's entry");
  EXPECT_EQ(files["icons/hicolor/48x48/apps/other.png"], "another program's icon");
  // Nothing else: no temporary file is left behind.
  EXPECT_EQ(files.size(), OurFiles().size() + 2);
}

TEST_F(DesktopEntryFilesTest, RemoveTakesAwayExactlyTheInstalledFiles) {
  ASSERT_EQ(install(), 0) << errors.str();
  WriteFile(dataHome / "applications/other.desktop", "another program's entry");
  WriteFile(dataHome / "icons/hicolor/16x16/apps/other.png", "another program's icon");
  ASSERT_EQ(remove(), 0) << errors.str();
  EXPECT_EQ(errors.str(), "");
  std::vector<std::string> said = Lines(out.str());
  // The entry goes first.
  ASSERT_EQ(said.size(), OurFiles().size());
  EXPECT_EQ(said.front(), "removed " + (dataHome / kEntry).string());
  for (const std::string& file : OurFiles()) {
    SCOPED_TRACE(file);
    EXPECT_FALSE(fs::exists(dataHome / file));
    EXPECT_NE(std::find(said.begin(), said.end(), "removed " + (dataHome / file).string()),
              said.end());
  }
  EXPECT_EQ(FilesBelow(dataHome).size(), 2u);
  EXPECT_TRUE(fs::is_directory(dataHome / "icons/hicolor/256x256/apps"));
}

TEST_F(DesktopEntryFilesTest, RemoveWithNothingInstalledSaysSoAndSucceeds) {
  ASSERT_EQ(remove(), 0) << errors.str();
  EXPECT_EQ(out.str(), "ravlinkgui: no desktop entry of ravlinkgui in " + dataHome.string() +
                           ": nothing to remove\n");
  EXPECT_FALSE(fs::exists(dataHome));
}

TEST_F(DesktopEntryFilesTest, AFolderThatCannotBeMadeIsReportedAndNothingIsWritten) {
  WriteFile(dataHome / "icons", "a file where the folder should be");
  EXPECT_EQ(install(), 1);
  EXPECT_EQ(out.str(), "");
  EXPECT_NE(errors.str().find("could not make the folder " + (dataHome / "icons").string()),
            std::string::npos)
      << errors.str();
  EXPECT_FALSE(fs::exists(dataHome / kEntry));
}

TEST_F(DesktopEntryFilesTest, AnEntryThatCannotBeWrittenIsReported) {
  fs::create_directories(dataHome / kEntry / "in the way");
  EXPECT_EQ(install(), 1);
  EXPECT_NE(errors.str().find("could not write " + (dataHome / kEntry).string()), std::string::npos)
      << errors.str();
  EXPECT_TRUE(fs::is_directory(dataHome / kEntry / "in the way"));
}

TEST_F(DesktopEntryFilesTest, AFileThatCannotBeRemovedIsReported) {
  ASSERT_EQ(install(), 0) << errors.str();
  fs::remove(dataHome / kEntry);
  fs::create_directories(dataHome / kEntry / "in the way");
  EXPECT_EQ(remove(), 1);
  EXPECT_NE(errors.str().find("could not remove " + (dataHome / kEntry).string()),
            std::string::npos)
      << errors.str();
  EXPECT_TRUE(fs::exists(dataHome / PngPath(16)));
}

// ---- The options as main() hands them over

// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (qEnvironmentVariableIsSet(name)) previous_ = qgetenv(name).toStdString();
    if (value) {
      qputenv(name, QByteArray::fromStdString(*value));
    } else {
      qunsetenv(name);
    }
  }
  ~ScopedVariable() {
    if (previous_) {
      qputenv(name_, QByteArray::fromStdString(*previous_));
    } else {
      qunsetenv(name_);
    }
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> previous_;
};

std::optional<int> RunWith(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  return qt::RunDesktopEntryOption(static_cast<int>(arguments.size()), argv.data());
}

TEST(DesktopEntryOptionTest, OtherCommandLinesAreLeftToTheProgram) {
  EXPECT_FALSE(RunWith({"ravlinkgui"}).has_value());
  EXPECT_FALSE(RunWith({"ravlinkgui", "game.elf"}).has_value());
  EXPECT_FALSE(RunWith({"ravlinkgui", "--install-desktop-entries"}).has_value());
  EXPECT_FALSE(RunWith({"ravlinkgui", "game.elf", qt::kInstallOption}).has_value());
}

TEST(DesktopEntryOptionTest, TheOptionsTakeNoOtherArgument) {
  EXPECT_EQ(RunWith({"ravlinkgui", qt::kInstallOption, "now"}), 2);
  EXPECT_EQ(RunWith({"ravlinkgui", qt::kRemoveOption, "now"}), 2);
}

TEST(DesktopEntryOptionTest, InstallAndRemoveUseXdgDataHomeAndTheProgramsOwnFile) {
  QTemporaryDir temporary;
  fs::path dataHome = temporary.path().toStdString();
  ScopedVariable xdg("XDG_DATA_HOME", dataHome.string());
  EXPECT_EQ(RunWith({"ravlinkgui", qt::kInstallOption}), 0);
  std::string entry = ReadFile(dataHome / kEntry);
  // The tests are the program that runs here.
  QString self = QString::fromStdString(fs::canonical("/proc/self/exe").string());
  std::string exec = "\nExec=" + qt::ExecValue(self)->toStdString() + "\n";
  EXPECT_NE(entry.find(exec), std::string::npos) << entry;
  EXPECT_EQ(RunWith({"ravlinkgui", qt::kRemoveOption}), 0);
  EXPECT_TRUE(FilesBelow(dataHome).empty());
}

TEST(DesktopEntryOptionTest, WithoutXdgDataHomeOrHomeNothingIsWritten) {
  ScopedVariable xdg("XDG_DATA_HOME", std::nullopt);
  ScopedVariable home("HOME", std::nullopt);
  EXPECT_EQ(RunWith({"ravlinkgui", qt::kInstallOption}), 1);
  EXPECT_EQ(RunWith({"ravlinkgui", qt::kRemoveOption}), 1);
}

}  // namespace
}  // namespace loadergui::qttest
