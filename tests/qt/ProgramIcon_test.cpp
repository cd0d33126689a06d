// The program's icon on its windows: every freedesktop size, the PNGs of the source tree, and
// the desktop file name that matches the windows to the menu's entry.
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <string>
#include <vector>

#include "QtFixture.h"

namespace loadergui::qttest {
namespace {

const std::vector<int> kSizes = {16, 24, 32, 48, 64, 128, 256};

std::vector<int> Sizes(const QIcon& icon) {
  std::vector<int> sizes;
  for (QSize size : icon.availableSizes()) {
    EXPECT_EQ(size.width(), size.height());
    sizes.push_back(size.width());
  }
  std::sort(sizes.begin(), sizes.end());
  return sizes;
}

QImage SourcePng(int size) {
  std::string source = __FILE__;
  std::string folder = std::to_string(size) + "x" + std::to_string(size);
  return QImage(QString::fromStdString(source.substr(0, source.rfind("/tests/qt/")) +
                                       "/packaging/icon/hicolor/" + folder +
                                       "/apps/ravlinkgui.png"));
}

class ProgramIconTest : public QtFixture {};

TEST_F(ProgramIconTest, EveryWindowAndTheApplicationCarryTheIconInEverySize) {
  installProgram();
  ASSERT_TRUE(start());
  EXPECT_EQ(Sizes(toolkit.icon()), kSizes);
  EXPECT_EQ(Sizes(QGuiApplication::windowIcon()), kSizes);
  EXPECT_EQ(Sizes(mainForm().window().windowIcon()), kSizes);
  EXPECT_EQ(Sizes(optionsForm().window().windowIcon()), kSizes);
  EXPECT_EQ(QGuiApplication::desktopFileName().toStdString(), "ravlinkgui");
}

TEST_F(ProgramIconTest, EachSizeIsTheImageDrawnFromTheSvg) {
  // Compared premultiplied, as a pixmap holds them.
  for (int size : kSizes) {
    SCOPED_TRACE(size);
    QImage expected = SourcePng(size).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ASSERT_EQ(expected.width(), size);
    QImage shown = toolkit.icon()
                       .pixmap(QSize(size, size), 1.0)
                       .toImage()
                       .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(shown, expected);
  }
}

}  // namespace
}  // namespace loadergui::qttest
