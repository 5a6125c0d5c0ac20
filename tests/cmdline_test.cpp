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
  Fake().modulePath = uR"(C:\Tools\orvalaunch.exe)";
  LoadModulePath();
  EXPECT_STREQ(ArgumentAt(0).CString(), R"(C:\Tools\orvalaunch.exe)");
  EXPECT_EQ(std::u16string(ModuleFileName()), u"orvalaunch.exe");
}

// The path is read once for the run: what the platform says later, even that
// it fails, changes nothing until the next read.
TEST_F(Arguments, ModulePathIsReadOncePerRun) {
  Fake().modulePath = uR"(C:\Tools\orvalaunch.exe)";
  LoadModulePath();
  Fake().modulePath = uR"(D:\Other\x.exe)";
  Fake().moduleFileNameFails = true;
  EXPECT_STREQ(ArgumentAt(0).CString(), R"(C:\Tools\orvalaunch.exe)");
  Fake().moduleFileNameFails = false;
  LoadModulePath();
  EXPECT_STREQ(ArgumentAt(0).CString(), R"(D:\Other\x.exe)");
}

// The path in the ANSI code page exactly, or through its 8.3 form where only
// that is exact, or not at all: never a look-alike, never "?".
TEST_F(Arguments, ModulePathIsExactOrUnknown) {
  struct Case {
    const char* name;
    unsigned codePage;
    std::u16string longPath, shortPath;
    std::string expected;
  };
  const Case cases[] = {
      {"plain", 1252, uR"(C:\Tools\x.exe)", u"", R"(C:\Tools\x.exe)"},
      {"Latin-1 letters", 1252, Wide("C:\\Caf\xE9\\x.exe"), u"", "C:\\Caf\xE9\\x.exe"},
      // ソ, 0x83 0x5C, is the code unit 0x835C in the fake's UTF-16.
      {"932 ソ with its 0x5C trail", 932, u"C:\\\u835C\\x.exe", u"",
       "C:\\\x83\x5C\\x.exe"},
      // Fullwidth Ｏｒｖａ would read "Orva" by best fit: another folder.
      {"fullwidth, with a short name", 1252, u"C:\\\uFF2F\uFF52\uFF56\uFF41\\x.exe",
       uR"(C:\ORVA~1\x.exe)", R"(C:\ORVA~1\x.exe)"},
      {"fullwidth, no short names", 1252, u"C:\\\uFF2F\uFF52\uFF56\uFF41\\x.exe", u"", ""},
      // Ł would read L; Chinese reads "?" in 1252, Hangul in 932.
      {"Polish, with a short name", 1252, u"C:\\\u0141\u00F3d\u017A\\x.exe",
       uR"(C:\LDZ~1\x.exe)", R"(C:\LDZ~1\x.exe)"},
      {"Chinese in 1252, no short names", 1252, u"C:\\\u6587\u4EF6\\x.exe", u"", ""},
      {"Hangul in 932, with a short name", 932, u"C:\\\uD55C\\x.exe",
       uR"(C:\D55C~1\x.exe)", R"(C:\D55C~1\x.exe)"},
      // A short form that is itself not exact is no better.
      {"short form still inexact", 1252, u"C:\\\u6587\\x.exe", u"C:\\\u6587\\X~1.EXE", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetFake(c.codePage);
    Fake().modulePath = c.longPath;
    Fake().shortModulePath = c.shortPath;
    LoadModulePath();
    EXPECT_EQ(ArgumentAt(0).CString(), c.expected);
    EXPECT_EQ(std::u16string(ModuleFileName()), u"x.exe");
  }
}

// Paths in a double-byte code page pass 261 bytes long before Windows'
// 260-character limit; they come back whole, up to the longest path Windows
// has (32766 units and the NUL).
TEST_F(Arguments, ModulePathIsNeverCut) {
  ResetFake(932);
  std::string deep = R"(C:\)";
  while (deep.size() < 400) deep += "\x83\x5C\x83\x5C\\";
  deep += "orvalaunch.exe";
  Fake().modulePath = Wide(deep);
  LoadModulePath();
  EXPECT_EQ(ArgumentAt(0).CString(), deep);

  const std::string longest(32766, 'a');
  Fake().modulePath = Wide(longest);
  LoadModulePath();
  EXPECT_EQ(ArgumentAt(0).CString(), longest);
}

// A failing call, and a path the buffer cut (the count is then the buffer size
// or just under it), give the empty text, never the cut path: it would name an
// ancestor folder.
TEST_F(Arguments, ModulePathEmptyWhenUnavailable) {
  for (const unsigned long shortfall : {0ul, 1ul}) {
    SCOPED_TRACE(shortfall);
    Fake().modulePath = u"C:\\" + std::u16string(40000, u'a');
    Fake().cutCountShortfall = shortfall;
    LoadModulePath();
    EXPECT_STREQ(ArgumentAt(0).CString(), "");
    EXPECT_EQ(std::u16string(ModuleFileName()), u"");
  }
  Fake().modulePath = uR"(C:\x.exe)";
  Fake().moduleFileNameFails = true;
  LoadModulePath();
  EXPECT_STREQ(ArgumentAt(0).CString(), "");
}

}  // namespace
