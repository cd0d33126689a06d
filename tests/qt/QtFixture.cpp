// The shared fixture: a program folder with stand-in tools, and the program started on it.
#include "QtFixture.h"

#include <QDeadlineTimer>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace loadergui::qttest {

namespace fs = std::filesystem;

namespace {

// A log field back as the tool had it (see src/standin/linux/StandIn.h).
std::string Unescaped(const std::string& field) {
  std::string text;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\' || i + 1 == field.size()) {
      text += field[i];
      continue;
    }
    char next = field[++i];
    text += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
  }
  return text;
}

LogLine ParseLogLine(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream stream(line);
  for (std::string field; std::getline(stream, field, '\t');) fields.push_back(Unescaped(field));
  LogLine parsed;
  if (fields.size() < 4) return parsed;
  parsed.event = fields[0];
  parsed.processId = fields[2];
  parsed.tool = fields[3];
  if (fields.size() > 4) parsed.currentDirectory = fields[4];
  parsed.arguments.assign(fields.begin() + std::min<std::size_t>(5, fields.size()), fields.end());
  return parsed;
}

// The tools run as processes of their own; their lines come when they come.
constexpr int kLongestWaitForToolsMs = 20000;

}  // namespace

QtFixture::QtFixture() : previousDirectory_(fs::current_path()) {
  std::string pattern = (fs::temp_directory_path() / "loadergui-qt-XXXXXX").string();
  folder = mkdtemp(pattern.data());
  terminals = folder.parent_path() / (folder.filename().string() + "-bin");
  devices = folder.parent_path() / (folder.filename().string() + "-dev");
  fs::create_directories(folder / "tools");
  fs::create_directories(terminals);
  fs::create_directories(devices);
  services = std::make_unique<TestServices>(folder.string(), "ravlinkgui",
                                            std::vector<std::string>{terminals.string()},
                                            devices.string());
  toolkit.onLastFormGone = [this] { ++lastFormGone; };
  app = std::make_unique<App>(services->interfaces(), toolkit);
}

QtFixture::~QtFixture() {
  for (QTimer* timer : answers_) delete timer;
  app.reset();
  fs::current_path(previousDirectory_);
  std::error_code ignored;
  for (const auto& made : {folder, terminals, devices}) fs::remove_all(made, ignored);
}

void QtFixture::installProgram() {
  writeFile("ravlinkgui");
  for (const char* tool : {"ravlink-serial", "ravlink-ip", "arp"}) {
    fs::copy_file(fs::path(LOADERGUI_STANDINS) / tool, folder / "tools" / tool);
  }
}

void QtFixture::installTerminal(const std::string& name) {
  fs::copy_file(fs::path(LOADERGUI_STANDINS) / "standin-terminal", terminals / name);
}

void QtFixture::writeFile(const std::string& relativePath, const std::string& content) const {
  fs::path file = folder / relativePath;
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << content;
}

std::string QtFixture::readFile(const std::string& relativePath) const {
  std::ifstream in(folder / relativePath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool QtFixture::start() {
  return app->start();
}

bool QtFixture::allAnswered() const {
  for (const QTimer* timer : answers_) {
    if (timer->isActive()) return false;
  }
  return true;
}

std::vector<LogLine> QtFixture::logLines(const fs::path& log, std::size_t lines) {
  QDeadlineTimer deadline(kLongestWaitForToolsMs);
  std::vector<LogLine> parsed;
  for (;;) {
    parsed.clear();
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);) parsed.push_back(ParseLogLine(line));
    if (parsed.size() >= lines || deadline.hasExpired()) return parsed;
    QTest::qWait(20);
  }
}

}  // namespace loadergui::qttest
