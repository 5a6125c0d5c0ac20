// Any command line, in any lead-byte set: split as the reference model says,
// with consistent counts, and always a well-formed parameter line.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "cmdline/arguments.h"
#include "fuzz_input.h"

namespace {

struct ModelArgument {
  std::string text;
  std::size_t end;
};

// The splitting rules, restated over indices into the line.
ModelArgument ModelScan(const std::string& line, std::size_t p) {
  auto at = [&](std::size_t i) {
    return i < line.size() ? static_cast<std::uint8_t>(line[i]) : 0;
  };
  auto step = [&](std::size_t i) {
    return ModelLead(at(i)) && at(i + 1) != 0 ? std::size_t{2} : std::size_t{1};
  };
  for (;;) {
    while (at(p) >= 0x01 && at(p) <= 0x20) p += step(p);
    if (at(p) == '"' && at(p + 1) == '"') {
      p += 2;
    } else {
      break;
    }
  }
  std::string text;
  bool quoted = false;
  while (at(p) != 0 && (quoted || at(p) > 0x20)) {
    if (at(p) == '"') {
      quoted = !quoted;
      p += step(p);  // a character step, even for a quote
      continue;
    }
    text += line.substr(p, step(p));
    p += step(p);
  }
  return {text, p};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in{data, size};
  ChooseLeadBytes(in);
  std::string line = in.Rest();
  line = line.substr(0, std::strlen(line.c_str()));  // the line ends at its NUL
  Fake().commandLine = line;
  // A lone backslash is a folder, so a request follows whenever there are
  // arguments; unless the set makes 0x5C a lead byte (no real code page
  // does), when no code page spelling of it is exact.
  Fake().modulePath = u"\\";
  const bool ownFolder = !ModelLead('\\');

  std::vector<std::string> model;
  std::size_t p = ModelScan(line, 0).end;
  std::size_t position = ScanArgument(line.c_str(), 0).next;
  Check(position == p, "program name ends where the model says");
  for (;;) {
    const ModelArgument expected = ModelScan(line, p);
    const ScannedArgument got = ScanArgument(line.c_str(), position);
    Check(got.text.CString() == expected.text, "argument equals the model");
    Check(std::strlen(got.text.CString()) == got.text.Length(), "no NUL inside");
    Check(got.next == expected.end && got.next <= line.size(), "end position");
    if (expected.text.empty()) break;
    Check(got.next > position, "scanning moves forward");
    model.push_back(expected.text);
    p = expected.end;
    position = got.next;
  }

  const int count = ArgumentCount();
  Check(count == static_cast<int>(model.size()), "count is the non-empty arguments");
  for (unsigned i = 1; i <= model.size() + 2; ++i) {
    const std::string expected = i <= model.size() ? model[i - 1] : "";
    Check(ArgumentAt(i).CString() == expected, "ArgumentAt equals the model");
  }

  Fake().shellRequests.clear();
  Check(RunLauncher() == 0, "exit code 0");
  Check(Fake().liveBlocks == 0, "every text released");
  if (count == 0 || !ownFolder) {
    Check(Fake().shellRequests.empty(), "no request without arguments or own folder");
    return 0;
  }
  Check(Fake().shellRequests.size() == 1, "exactly one request");
  auto arg = [&](std::size_t i) { return i < model.size() ? model[i] : std::string(); };
  const std::string& parameters = Fake().shellRequests[0].parameters;
  Check(parameters == arg(0) + " /J" + arg(1) + " /O" + arg(2) + " /D:" + arg(3),
        "parameter line from the first four arguments");
  const std::size_t j = parameters.find(" /J", arg(0).size());
  Check(j != std::string::npos && parameters.find(" /O", j) != std::string::npos &&
            parameters.find(" /D:") != std::string::npos,
        "switches in order");
  return 0;
}
