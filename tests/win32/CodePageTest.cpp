// Paths handed to the loaders in the system's 8-bit code page: as they are, or by short name.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "PlatformTestSupport.h"
#include "win32/CodePage.h"
#include "win32/Services.h"

namespace loadergui::win32::testing {
namespace {

const std::wstring kNihon = L"\x65E5\x672C";  // Japanese, in no 8-bit Western code page

// The program's wide text as a string, for comparing and joining.
std::wstring WideString(const std::string& text) {
  WideText wide = Widen(text);
  return std::wstring(wide.data(), wide.size() - 1);
}

bool CreateWide(const std::wstring& path, const char* content) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(file, content, static_cast<DWORD>(strlen(content)), &written, nullptr);
  CloseHandle(file);
  return true;
}

TEST(CodePageTest, TextTheCodePageHoldsGoesAsItIs) {
  std::string accented = "caf\xe9 d\xe9mo.elf";  // e-acute in the Western code page
  if (GetACP() != 1252) GTEST_SKIP() << "the cases are written for code page 1252";
  EXPECT_EQ(WideString(accented), L"caf\x00e9 d\x00e9mo.elf");
  EXPECT_EQ(Narrow(Widen(accented).data()).value_or("(none)"), accented);
  EXPECT_EQ(PassablePath(Widen("C:\\" + accented).data()).value_or("(none)"), "C:\\" + accented);
  std::string withNul("a\0b", 3);
  EXPECT_EQ(WideString(withNul), std::wstring(L"a\0b", 3));
}

// "ō" has a look-alike "o" in the Western code page, which would name another file.
TEST(CodePageTest, NoLookAlikeStandsInForALetter) {
  if (GetACP() != 1252) GTEST_SKIP() << "the cases are written for code page 1252";
  EXPECT_FALSE(Narrow(L"T\x014Dky\x014D.bin").has_value());
  EXPECT_FALSE(Narrow(kNihon.c_str()).has_value());
}

TEST(CodePageTest, AnExistingFileGoesByItsShortName) {
  if (GetACP() != 1252) GTEST_SKIP() << "the cases are written for code page 1252";
  ScratchFolder folder;
  std::wstring path = WideString(folder.path()) + L"\\" + kNihon + L" file.bin";
  ASSERT_TRUE(CreateWide(path, "the one file"));
  std::optional<std::string> passable = PassablePath(path.c_str());
  ASSERT_TRUE(passable.has_value());
  EXPECT_EQ(passable->find('?'), std::string::npos) << *passable;
  EXPECT_EQ(ReadWholeFile(*passable), "the one file");
}

// A save dialog's answer need not exist yet: its folder goes by its short name, and the file's
// own name must be one the code page holds.
TEST(CodePageTest, ANewFileGoesByItsFoldersShortNameOrNotAtAll) {
  if (GetACP() != 1252) GTEST_SKIP() << "the cases are written for code page 1252";
  ScratchFolder folder;
  std::wstring japaneseFolder = WideString(folder.path()) + L"\\" + kNihon;
  ASSERT_TRUE(CreateDirectoryW(japaneseFolder.c_str(), nullptr));
  std::wstring newDump = japaneseFolder + L"\\new dump.bin";
  std::optional<std::string> inside = PassablePath(newDump.c_str());
  ASSERT_TRUE(inside.has_value());
  EXPECT_EQ(inside->find('?'), std::string::npos) << *inside;
  EXPECT_EQ(inside->substr(inside->size() - 13), "\\new dump.bin");
  ASSERT_TRUE(WriteWholeFile(*inside, "dump"));
  std::wstring landed = japaneseFolder + L"\\new dump.bin";
  EXPECT_NE(GetFileAttributesW(landed.c_str()), INVALID_FILE_ATTRIBUTES);
  std::wstring newJapanese = WideString(folder.path()) + L"\\" + kNihon + L".bin";
  EXPECT_FALSE(PassablePath(newJapanese.c_str()).has_value());
}

// The loaders' early runtimes read the line's bytes; the program must know which bytes begin a
// two-byte character of the code page it hands the line over in.
TEST(CodePageTest, LeadBytesComeFromTheSystem) {
  platform::LeadBytes japanese = LeadBytesOf(932);
  platform::LeadBytes expected;
  for (unsigned byte = 0x81; byte <= 0x9F; ++byte) expected.set(byte);
  for (unsigned byte = 0xE0; byte <= 0xFC; ++byte) expected.set(byte);
  EXPECT_EQ(japanese, expected);
  EXPECT_EQ(LeadBytesOf(936).count(), 0x7Eu) << "Simplified Chinese: 0x81 to 0xFE";
  EXPECT_TRUE(LeadBytesOf(1252).none());
  Win32Services services;
  EXPECT_EQ(services.commandLineLeadBytes(), LeadBytesOf(GetACP()));
  for (unsigned byte = 0; byte < 256; ++byte) {
    EXPECT_EQ(services.commandLineLeadBytes().test(byte),
              IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE)
        << byte;
  }
}

}  // namespace
}  // namespace loadergui::win32::testing
