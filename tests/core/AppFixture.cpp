// The shared fixture: a temporary program folder and a program started against it.
#include "AppFixture.h"

#include <cstdlib>
#include <iterator>

namespace loadergui::testing {

namespace fs = std::filesystem;

AppFixture::AppFixture() {
  std::string pattern = (fs::temp_directory_path() / "loadergui-XXXXXX").string();
  folder = mkdtemp(pattern.data());
  fs::create_directories(folder / "tools");
  services = std::make_unique<null::NullServices>(folder.string(), "ravlinkgui");
  app = std::make_unique<App>(services->interfaces(), toolkit);
}

AppFixture::~AppFixture() {
  app.reset();
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

void AppFixture::installProgram() {
  writeFile("ravlinkgui.exe");
  for (const char* file : {"tools/cygintl.dll", "tools/cygwin1.dll", "tools/ravlink-serial.exe",
                           "tools/ravlink-ip.exe", "tools/arp.exe"}) {
    writeFile(file);
  }
}

void AppFixture::writeFile(const std::string& relativePath, const std::string& content) {
  fs::path path = folder / relativePath;
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

std::string AppFixture::readFile(const std::string& relativePath) const {
  std::ifstream in(folder / relativePath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool AppFixture::exists(const std::string& relativePath) const {
  return fs::exists(folder / relativePath);
}

bool AppFixture::start() {
  return app->start();
}

void AppFixture::exitProgram() {
  app->frmMain().mnuFileExit->click();
}

void AppFixture::withOptionsDialog(const std::function<void(null::NullForm&)>& work) {
  toolkit.onModal = work;
  mainControl("mnuConfigOptions").click();
  toolkit.onModal = nullptr;
}

}  // namespace loadergui::testing
