#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_platform.h"
#include "paths/paths.h"

namespace {

class Paths : public ::testing::Test {
 protected:
  void SetUp() override { ResetFake(1252); }
};

std::vector<int> LeadBytesOf(const LocaleSettings& settings) {
  std::vector<int> bytes;
  for (int b = 0; b < 256; ++b) {
    if (settings.LeadByteSet[b]) bytes.push_back(b);
  }
  return bytes;
}

std::vector<int> Range(int first, int last) {
  std::vector<int> bytes;
  for (int b = first; b <= last; ++b) bytes.push_back(b);
  return bytes;
}

// The pair walk: ranges inclusive, (0, 0) ends it, last < first adds nothing
// and does not end it, at most six pairs.
TEST_F(Paths, LeadByteSetFromPairs) {
  struct Case {
    const char* name;
    std::vector<unsigned char> pairs;
    std::vector<int> expected;
  };
  std::vector<int> cp932 = Range(0x81, 0x9F);
  for (int b : Range(0xE0, 0xFC)) cp932.push_back(b);
  const Case cases[] = {
      {"code page 1252", {}, {}},
      {"code page 932", {0x81, 0x9F, 0xE0, 0xFC}, cp932},
      {"single byte range", {0xA0, 0xA0}, {0xA0}},
      {"last below first", {0x90, 0x81, 0xE0, 0xE1}, {0xE0, 0xE1}},
      {"zero pair stops", {0x81, 0x82, 0, 0, 0xE0, 0xE1}, {0x81, 0x82}},
      {"zero first only", {0, 0x01, 0xF0, 0xF0}, {0x00, 0x01, 0xF0}},
      {"six pairs",
       {0x81, 0x81, 0x83, 0x83, 0x85, 0x85, 0x87, 0x87, 0x89, 0x89, 0x8B, 0x8B},
       {0x81, 0x83, 0x85, 0x87, 0x89, 0x8B}},
      {"up to 0xFF", {0xFE, 0xFF}, {0xFE, 0xFF}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    unsigned char pairs[12] = {};
    for (std::size_t i = 0; i < c.pairs.size(); ++i) pairs[i] = c.pairs[i];
    const LocaleSettings settings = LocaleSettingsFromLeadBytes(pairs);
    EXPECT_EQ(LeadBytesOf(settings), c.expected);
    EXPECT_EQ(settings.DoubleByteAware, !c.expected.empty());
  }
}

// The lead bytes are those of the process ANSI code page, the one the command
// line and the module path are written in.
TEST_F(Paths, LoadAsksTheProcessCodePage) {
  Fake().acp = 932;
  Fake().leadBytePairs = {0x81, 0x9F, 0xE0, 0xFC};
  Fake().codePagesAsked.clear();
  LoadLocaleSettings();
  EXPECT_EQ(Fake().codePagesAsked, std::vector<unsigned>{932});
  EXPECT_TRUE(Locale.DoubleByteAware);
  EXPECT_TRUE(Locale.LeadByteSet[0x83]);
  EXPECT_FALSE(Locale.LeadByteSet[0x5C]);
}

// A code page the platform cannot describe has no lead bytes, so every byte
// stands for itself.
TEST_F(Paths, FailedCodePageInfoGivesNoLeadBytes) {
  UseCodePage(932);
  Fake().cpInfoFails = true;
  LoadLocaleSettings();
  EXPECT_FALSE(Locale.DoubleByteAware);
  EXPECT_EQ(LeadBytesOf(Locale), std::vector<int>{});
}

char KindLetter(ByteKind kind) {
  switch (kind) {
    case ByteKind::SingleByte: return 's';
    case ByteKind::LeadByte: return 'l';
    case ByteKind::TrailByte: return 't';
  }
  return '?';
}

std::string KindsOf(const std::string& text) {
  std::string kinds;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    kinds += KindLetter(ClassifyByte(text.c_str(), i));
  }
  return kinds;
}

// One letter a byte, the terminating NUL included: s single, l lead, t trail.
// An odd run of lead-set bytes before a byte makes it a trail byte; without
// lead bytes every byte is single.
TEST_F(Paths, ClassifyByteIn932And1252) {
  struct Case {
    std::string text;
    std::string kinds932;
  };
  const Case cases[] = {
      {"C:\\A\x83\x5C", "sssslts"},
      {"C:\\\x81\x81\\x", "sssltsss"},
      {"\x81\x81\x81\x5C", "ltlts"},
      {"\x83\x5C\x5C", "ltss"},
      {"\xE0\x40\x81", "ltls"},
      {"a\xA0\x83", "ssls"},
      {"", "s"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    UseCodePage(932);
    EXPECT_EQ(KindsOf(c.text), c.kinds932);
    UseCodePage(1252);
    EXPECT_EQ(KindsOf(c.text), std::string(c.text.size() + 1, 's'));
  }
  UseCodePage(932);
  EXPECT_EQ(ClassifyByte(nullptr, 0), ByteKind::SingleByte);
}

TEST_F(Paths, FindLastSeparatorSkipsTrailBytes) {
  UseCodePage(932);
  EXPECT_EQ(FindLastSeparator("\\", "C:\\A\x83\x5C"), 3u);
  EXPECT_EQ(FindLastSeparator("\\", "\x83\x5C\x83\x5C"), 0u);
  EXPECT_EQ(FindLastSeparator("\\:", "C:x"), 2u);
  EXPECT_EQ(FindLastSeparator("\\:", "x.exe"), 0u);
  EXPECT_EQ(FindLastSeparator("\\:", ""), 0u);
  EXPECT_EQ(FindLastSeparator("/", "a/b\\c"), 2u);
}

// DirectoryPartOf keeps its final backslash or colon; WithTrailingBackslash
// then ends the text in a backslash that is a character of its own.
TEST_F(Paths, ProgramDirectoryIn932And1252) {
  struct Case {
    std::string path;
    std::string directory932, directory1252;
    std::string withBackslash932, withBackslash1252;
  };
  const Case cases[] = {
      {R"(C:\Tools\x.exe)", R"(C:\Tools\)", R"(C:\Tools\)", R"(C:\Tools\)", R"(C:\Tools\)"},
      {R"(C:\x.exe)", R"(C:\)", R"(C:\)", R"(C:\)", R"(C:\)"},
      {"C:x.exe", "C:", "C:", R"(C:\)", R"(C:\)"},
      {R"(\\server\share\x.exe)", R"(\\server\share\)", R"(\\server\share\)",
       R"(\\server\share\)", R"(\\server\share\)"},
      {"C:/Tools/x.exe", "C:", "C:", R"(C:\)", R"(C:\)"},
      {"x.exe", "", "", "\\", "\\"},
      {"", "", "", "\\", "\\"},
      // A folder ending in ソ (0x83 0x5C): the trail byte is no backslash.
      {"C:\\A\x83\x5C", "C:\\", "C:\\A\x83\x5C", "C:\\", "C:\\A\x83\x5C"},
      // 0x81 0x81 is one character; the backslash after it is real.
      {"C:\\\x81\x81\\x", "C:\\\x81\x81\\", "C:\\\x81\x81\\", "C:\\\x81\x81\\",
       "C:\\\x81\x81\\"},
      // ソ as a launcher's folder and file name.
      {"C:\\\x83\x5C\\\x83\x5C.exe", "C:\\\x83\x5C\\", "C:\\\x83\x5C\\\x83\x5C",
       "C:\\\x83\x5C\\", "C:\\\x83\x5C\\\x83\x5C"},
      {"C:\\\x83\x5C\x83\x5C.exe", "C:\\", "C:\\\x83\x5C\x83\x5C", "C:\\",
       "C:\\\x83\x5C\x83\x5C"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    UseCodePage(932);
    AnsiText directory = DirectoryPartOf(AnsiText::Copy({c.path.data(), c.path.size()}));
    EXPECT_EQ(directory.CString(), c.directory932);
    EXPECT_EQ(WithTrailingBackslash(std::move(directory)).CString(), c.withBackslash932);
    UseCodePage(1252);
    directory = DirectoryPartOf(AnsiText::Copy({c.path.data(), c.path.size()}));
    EXPECT_EQ(directory.CString(), c.directory1252);
    EXPECT_EQ(WithTrailingBackslash(std::move(directory)).CString(), c.withBackslash1252);
  }
}

// A text that ends in ソ (0x83 0x5C) gets a backslash of its own in 932.
TEST_F(Paths, TrailingBackslashAfterATrailByte) {
  const std::string text = "C:\\A\x83\x5C";
  UseCodePage(932);
  EXPECT_EQ(WithTrailingBackslash(AnsiText::Copy({text.data(), text.size()})).CString(),
            text + "\\");
  UseCodePage(1252);
  EXPECT_EQ(WithTrailingBackslash(AnsiText::Copy({text.data(), text.size()})).CString(),
            text);
}

}  // namespace
