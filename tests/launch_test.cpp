#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_platform.h"
#include "launch/launcher.h"

namespace {

class Launch : public ::testing::Test {
 protected:
  void SetUp() override { ResetFake(1252); }

  // Runs the launcher on a command line; the program name is "orvalaunch".
  unsigned Run(const std::string& arguments) {
    Fake().commandLine = "orvalaunch " + arguments;
    return RunLauncher();
  }
};

TEST_F(Launch, OneShellRequestThenExitZero) {
  Fake().modulePath = uR"(C:\Tools\orvalaunch.exe)";
  EXPECT_EQ(Run("alpha beta gamma delta"), 0u);
  ASSERT_EQ(Fake().shellRequests.size(), 1u);
  const ShellRequest& request = Fake().shellRequests[0];
  EXPECT_EQ(request.window, nullptr);
  EXPECT_EQ(request.verb, "OPEN");
  EXPECT_EQ(request.file, R"(C:\Tools\ORVA.EXE)");
  EXPECT_EQ(request.parameters, "alpha /Jbeta /Ogamma /D:delta");
  EXPECT_EQ(request.directory, R"(C:\Tools\)");
  EXPECT_EQ(request.show, 5);
  EXPECT_TRUE(Fake().messageBoxes.empty());
  EXPECT_EQ(Fake().liveBlocks, 0);
}

// DLLs are restricted to System32 before anything can load one: on every
// path, and before the shell is asked.
TEST_F(Launch, DllSearchRestrictedFirst) {
  using Calls = std::vector<std::string>;
  EXPECT_EQ(Run("a"), 0u);
  EXPECT_EQ(Fake().calls, (Calls{"RestrictDllSearchToSystem32", "ShellExecuteA"}));
  ResetFake(1252);
  EXPECT_EQ(Run(""), 0u);
  EXPECT_EQ(Fake().calls, Calls{"RestrictDllSearchToSystem32"});
}

// Nothing but dropped arguments: no request, exit code 0.
TEST_F(Launch, NoArgumentsNoRequest) {
  for (const char* arguments : {"", "   ", "\"\"", "\"\" \t \"\"\"\""}) {
    SCOPED_TRACE(arguments);
    ResetFake(1252);
    EXPECT_EQ(Run(arguments), 0u);
    EXPECT_TRUE(Fake().shellRequests.empty());
    EXPECT_TRUE(Fake().messageBoxes.empty());
  }
}

// All three switches always, in order; a fifth argument and beyond are
// dropped; quotes are gone and nothing is re-quoted.
TEST_F(Launch, ParameterLineShapes) {
  struct Case {
    const char* arguments;
    const char* parameters;
  };
  const Case cases[] = {
      {"a", "a /J /O /D:"},
      {"a b", "a /Jb /O /D:"},
      {"a b c", "a /Jb /Oc /D:"},
      {"alpha beta gamma delta", "alpha /Jbeta /Ogamma /D:delta"},
      {"1 2 3 4 fifth sixth", "1 /J2 /O3 /D:4"},
      {R"(one "two words")", "one /Jtwo words /O /D:"},
      {R"(x "" y)", "x /Jy /O /D:"},
      {R"(C:\dir\ b\"c d")", R"(C:\dir\ /Jb\c d /O /D:)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    ResetFake(1252);
    EXPECT_EQ(Run(c.arguments), 0u);
    ASSERT_EQ(Fake().shellRequests.size(), 1u);
    EXPECT_EQ(Fake().shellRequests[0].parameters, c.parameters);
  }
}

// File and working directory come from the module path, whatever the
// command line called the program, and are cut at a real backslash only.
TEST_F(Launch, TargetBesideTheLauncher) {
  struct Case {
    unsigned codePage;
    std::string modulePath;
    std::string directory;
  };
  const Case cases[] = {
      {1252, R"(C:\Tools\any name.exe)", R"(C:\Tools\)"},
      {1252, R"(C:\orvalaunch.exe)", R"(C:\)"},
      {932, "C:\\\x83\x5C\\\x95\x5C.exe", "C:\\\x83\x5C\\"},
      {932, "C:\\A\x83\x5C\\x.exe", "C:\\A\x83\x5C\\"},
      {1252, "C:\\Caf\xE9\\x.exe", "C:\\Caf\xE9\\"},
      {936, "D:\\\x81\x5C\\x.exe", "D:\\\x81\x5C\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.modulePath);
    ResetFake(c.codePage);
    Fake().modulePath = Wide(c.modulePath);
    Fake().commandLine = "orvalaunch x";
    EXPECT_EQ(RunLauncher(), 0u);
    ASSERT_EQ(Fake().shellRequests.size(), 1u);
    EXPECT_EQ(Fake().shellRequests[0].file, c.directory + "ORVA.EXE");
    EXPECT_EQ(Fake().shellRequests[0].directory, c.directory);
  }
}

// A launcher that cannot learn its own folder exactly starts nothing: not an
// ORVA.EXE at the root of the current drive, not one in a look-alike folder.
TEST_F(Launch, NoRequestWithoutItsOwnFolder) {
  struct Case {
    const char* name;
    std::u16string modulePath;
    bool fails;
  };
  const Case cases[] = {
      {"path unavailable", uR"(C:\Tools\orvalaunch.exe)", true},
      {"no folder in the path", u"orvalaunch.exe", false},
      // Best fit would read "Orva Suite", a folder anyone may create.
      {"fullwidth folder, no short names", u"C:\\\uFF2F\uFF52\uFF56\uFF41 Suite\\o.exe", false},
      {"Chinese folder, no short names", u"C:\\\u6587\u4EF6\\o.exe", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetFake(1252);
    Fake().moduleFileNameFails = c.fails;
    Fake().modulePath = c.modulePath;
    EXPECT_EQ(Run("a b"), 0u);
    EXPECT_TRUE(Fake().shellRequests.empty());
    EXPECT_TRUE(Fake().messageBoxes.empty());
  }
}

// A folder the code page cannot spell is reached by its 8.3 form, which names
// the same folder: ORVA.EXE beside the launcher, never its look-alike twin.
TEST_F(Launch, FolderWithoutExactSpellingByItsShortForm) {
  Fake().modulePath = u"C:\\\uFF2F\uFF52\uFF56\uFF41 Suite\\orvalaunch.exe";
  Fake().shortModulePath = uR"(C:\ORVASU~1\ORVALA~1.EXE)";
  EXPECT_EQ(Run("a"), 0u);
  ASSERT_EQ(Fake().shellRequests.size(), 1u);
  EXPECT_EQ(Fake().shellRequests[0].file, R"(C:\ORVASU~1\ORVA.EXE)");
  EXPECT_EQ(Fake().shellRequests[0].directory, R"(C:\ORVASU~1\)");
}

// Memory running out at any allocation of a run: one error box, exit code 1,
// no shell request, and every text released.
TEST_F(Launch, OutOfMemoryAtEveryAllocation) {
  ResetFake(1252);
  Run("alpha beta gamma delta");
  const int allocations = Fake().allocations;
  ASSERT_GT(allocations, 5);
  for (int failing = 1; failing <= allocations; ++failing) {
    SCOPED_TRACE(failing);
    ResetFake(1252);
    Fake().modulePath = uR"(C:\Tools\orvalaunch.exe)";
    Fake().failAllocation = failing;
    EXPECT_EQ(Run("alpha beta gamma delta"), 1u);
    EXPECT_TRUE(Fake().shellRequests.empty());
    EXPECT_EQ(Fake().liveBlocks, 0);
    ASSERT_EQ(Fake().messageBoxes.size(), 1u);
    const MessageBox& box = Fake().messageBoxes[0];
    EXPECT_EQ(box.window, nullptr);
    EXPECT_EQ(box.type, 0x2010u);
    EXPECT_EQ(box.caption, u"アプリケーション エラー");
    const std::u16string& text = box.text;
    const std::u16string head = u"OutOfMemory がモジュール orvalaunch.exe の ";
    const std::u16string tail = u" で発生しました。\r\nメモリが足りません.\r\n";
    ASSERT_EQ(text.size(), head.size() + 2 * sizeof(void*) + tail.size());
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    const std::u16string address = text.substr(head.size(), 2 * sizeof(void*));
    EXPECT_EQ(address.find_first_not_of(u"0123456789ABCDEF"), std::u16string::npos);
    EXPECT_NE(address, std::u16string(2 * sizeof(void*), u'0'));
  }
}

// The box names the file as it is, from the path read at the start of the
// run, even where the code page spells it only in its 8.3 form; the path calls
// fail once the heap is exhausted.
TEST_F(Launch, OutOfMemoryNamesTheFileAsItIs) {
  Fake().modulePath = u"C:\\Tools\\\u0141\u00F3d\u017A.exe";
  Fake().shortModulePath = uR"(C:\Tools\LDZ~1.EXE)";
  Fake().failAllocation = 1;
  EXPECT_EQ(Run("a"), 1u);
  ASSERT_EQ(Fake().messageBoxes.size(), 1u);
  EXPECT_NE(Fake().messageBoxes[0].text.find(u"モジュール \u0141\u00F3d\u017A.exe の "),
            std::u16string::npos);
}

}  // namespace
