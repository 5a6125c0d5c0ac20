#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cmdline/arguments.h"
#include "fake_platform.h"

namespace {

using Args = std::vector<std::string>;

// The count first, then every argument, then the empty text beyond the last.
void expectSplit(const std::string& commandLine, const Args& expected) {
  SCOPED_TRACE("command line: " + commandLine);
  Fake().commandLine = commandLine;
  ASSERT_EQ(ArgumentCount(), static_cast<int>(expected.size()));
  for (unsigned i = 1; i <= expected.size(); ++i) {
    EXPECT_EQ(ArgumentAt(i).CString(), expected[i - 1]) << "argument " << i;
  }
  EXPECT_STREQ(ArgumentAt(expected.size() + 1).CString(), "");
  EXPECT_STREQ(ArgumentAt(expected.size() + 100).CString(), "");
}

class Arguments : public ::testing::Test {
 protected:
  void SetUp() override { ResetFake(1252); }
};

// Separators are the bytes 0x01 to 0x20; everything else belongs to an argument.
TEST_F(Arguments, SplitsAtEveryControlByteAndSpace) {
  expectSplit("p a b", {"a", "b"});
  expectSplit("p", {});
  expectSplit("p   \t  ", {});
  for (int byte = 0x01; byte <= 0x20; ++byte) {
    SCOPED_TRACE(byte);
    expectSplit(std::string("p") + char(byte) + "a" + char(byte) + "b" + char(byte),
                {"a", "b"});
  }
  expectSplit("p \x7F\xA0\xFF", {"\x7F\xA0\xFF"});
}

// A double quote opens and closes anywhere in an argument and is dropped;
// inside quotes separators are ordinary bytes.
TEST_F(Arguments, QuotesGroupAndVanish) {
  expectSplit(R"(p "a b" c)", {"a b", "c"});
  expectSplit(R"(p ab"c d"e)", {"abc de"});
  expectSplit("p \"a\tb\"", {"a\tb"});
  expectSplit(R"(p a"" b)", {"a", "b"});
  expectSplit(R"(p "a""b")", {"ab"});
}

// A pair of quotes at the start of an argument is skipped with the separators
// around it, so an argument made only of pairs does not exist.
TEST_F(Arguments, LeadingQuotePairsAreDropped) {
  expectSplit(R"(p x "" y)", {"x", "y"});
  expectSplit(R"(p ""b)", {"b"});
  expectSplit(R"(p """" "" b)", {"b"});
  expectSplit(R"(p "")", {});
  expectSplit(R"(p """x y")", {"x y"});
}

// An unclosed quote runs to the end of the line; a lone quote at the very end
// is the empty argument that ends the list.
TEST_F(Arguments, UnclosedQuoteRunsToTheEnd) {
  expectSplit(R"(p "abc def)", {"abc def"});
  expectSplit(R"(p a ")", {"a"});
  expectSplit(R"(p a "b c)", {"a", "b c"});
}

// Backslashes are ordinary bytes and escape nothing.
TEST_F(Arguments, BackslashesEscapeNothing) {
  expectSplit(R"(p a\"b)", {R"(a\b)"});
  expectSplit(R"(p "C:\Dir\" x)", {R"(C:\Dir\)", "x"});
  expectSplit(R"(p a\\ b)", {R"(a\\)", "b"});
}

// The program name is the first field by the same rules, and is thrown away.
TEST_F(Arguments, ProgramNameFieldInItsForms) {
  expectSplit(R"("C:\Program Files\Tools\orvalaunch.exe" a)", {"a"});
  expectSplit(R"(..\orvalaunch a b)", {"a", "b"});
  expectSplit(R"("" x y)", {"y"});
  expectSplit(R"(  "a b"c d)", {"d"});
  expectSplit(R"("unclosed program name a b)", {});
}

TEST_F(Arguments, ScanReportsWhereTheArgumentEnded) {
  const char* line = R"(p  "a b"c	d)";
  ScannedArgument first = ScanArgument(line, 1);
  EXPECT_STREQ(first.text.CString(), "a bc");
  EXPECT_EQ(first.next, 9u);
  ScannedArgument second = ScanArgument(line, first.next);
  EXPECT_STREQ(second.text.CString(), "d");
  EXPECT_EQ(second.next, 11u);
  ScannedArgument end = ScanArgument(line, second.next);
  EXPECT_TRUE(end.text.Empty());
  EXPECT_EQ(end.next, 11u);
}

// A double-byte character is stepped over whole: its second byte is never a
// quote or a separator of its own. The same bytes split differently in 1252.
TEST_F(Arguments, DoubleByteCharactersStayWhole) {
  struct Case {
    std::string line;
    Args expected932, expected1252;
  };
  const Case cases[] = {
      // 0x81 0x20 is one character in 932, a letter and a space in 1252.
      {"p a\x81 b", {"a\x81 b"}, {"a\x81", "b"}},
      // 0x81 0x22: the quote byte is the second half of a character.
      {"p \"\x81\" b\" c", {"\x81\" b", "c"}, {"\x81", "b c"}},
      // ソ is 0x83 0x5C: the backslash byte is part of it either way.
      {"p \x83\x5C x", {"\x83\x5C", "x"}, {"\x83\x5C", "x"}},
      // A lone lead byte just before the NUL is taken as one byte.
      {"p a \x81", {"a", "\x81"}, {"a", "\x81"}},
      {"p \"\x81", {"\x81"}, {"\x81"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    UseCodePage(932);
    expectSplit(c.line, c.expected932);
    UseCodePage(1252);
    expectSplit(c.line, c.expected1252);
  }
}

// Index 0 is the executable's path from the platform, not the first field.
TEST_F(Arguments, IndexZeroIsTheModulePath) {
  Fake().commandLine = R"(orvalaunch a)";
  Fake().modulePath = R"(C:\Tools\orvalaunch.exe)";
  EXPECT_STREQ(ArgumentAt(0).CString(), R"(C:\Tools\orvalaunch.exe)");
  EXPECT_STREQ(ModulePath().CString(), R"(C:\Tools\orvalaunch.exe)");
}

// Paths in a double-byte code page pass 261 bytes long before Windows'
// 260-character limit; they must come back whole, not cut.
TEST_F(Arguments, ModulePathIsNeverCut) {
  std::string deep = R"(C:\)";
  while (deep.size() < 400) deep += "\x83\x5C\x83\x5C\\";
  deep += "orvalaunch.exe";
  Fake().modulePath = deep;
  EXPECT_EQ(ArgumentAt(0).CString(), deep);

  const std::string fits(32767, 'a');
  Fake().modulePath = fits;
  EXPECT_EQ(ArgumentAt(0).CString(), fits);
}

// What does not fit, and a failing call, give the empty text.
TEST_F(Arguments, ModulePathEmptyWhenUnavailable) {
  Fake().modulePath = std::string(32768, 'a');
  EXPECT_STREQ(ArgumentAt(0).CString(), "");
  Fake().modulePath = R"(C:\x.exe)";
  Fake().moduleFileNameFails = true;
  EXPECT_STREQ(ArgumentAt(0).CString(), "");
}

}  // namespace
