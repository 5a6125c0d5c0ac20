// Any module path, in any lead-byte set: byte kinds agree with a walk from the
// left, and the directory is a prefix ending at a real separator.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "cmdline/arguments.h"
#include "fuzz_input.h"

namespace {

bool IsSeparator(const std::string& text, std::size_t i, const std::vector<ByteKind>& kinds) {
  return (text[i] == '\\' || text[i] == ':') && kinds[i] != ByteKind::TrailByte;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in{data, size};
  ChooseLeadBytes(in);
  std::string path = in.Rest();
  path = path.substr(0, std::strlen(path.c_str()));
  const std::vector<ByteKind> kinds = ModelKinds(path);

  for (std::size_t i = 0; i <= path.size(); ++i) {
    const ByteKind expected = i < path.size() ? kinds[i] : ByteKind::SingleByte;
    Check(ClassifyByte(path.c_str(), i) == expected, "kind agrees with the walk");
  }

  // In every real code page the separators are ASCII and lead bytes are not;
  // the exact answers below are for such sets. Any set gives a prefix.
  const bool asciiSeparators = !ModelLead('\\') && !ModelLead(':');
  std::size_t last = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (IsSeparator(path, i, kinds)) last = i + 1;
  }
  const std::size_t found = FindLastSeparator("\\:", path.c_str());
  Check(found <= path.size(), "within the text");
  Check(!asciiSeparators || found == last, "last real separator");

  const std::string dir =
      DirectoryPartOf(AnsiText::Copy({path.data(), path.size()})).CString();
  Check(dir == path.substr(0, found), "directory is the prefix up to it");
  Check(dir.empty() || ((dir.back() == '\\' || dir.back() == ':') &&
                        ClassifyByte(path.c_str(), found - 1) != ByteKind::TrailByte),
        "directory ends in a separator that is no trail byte");

  // Read back exactly, unless the path ends in a lone lead byte, which no
  // UTF-16 text gives back.
  Fake().modulePath = Wide(path);
  LoadModulePath();
  const bool spellable = path.empty() || kinds.back() != ByteKind::LeadByte;
  Check(ArgumentAt(0).CString() == (spellable ? path : std::string()),
        "module path whole, or unknown");

  const std::string with = WithTrailingBackslash(AnsiText::Copy({dir.data(), dir.size()})).CString();
  const bool endsInBackslash =
      !dir.empty() && dir.back() == '\\' && kinds[dir.size() - 1] == ByteKind::SingleByte;
  Check(with == (endsInBackslash ? dir : dir + "\\"), "adds a backslash unless there is one");
  Check(!asciiSeparators || ModelKinds(with).back() == ByteKind::SingleByte,
        "ends in a backslash of its own");

  // The whole launch, from this module path.
  Fake().commandLine = "p a";
  const bool arguments = ArgumentCount() > 0;  // not under every lead-byte set
  Check(RunLauncher() == 0, "exit code 0");
  Check(Fake().liveBlocks == 0, "every text released");
  if (dir.empty() || !arguments || !spellable) {
    Check(Fake().shellRequests.empty(), "no request without an own folder");
  } else {
    Check(Fake().shellRequests.size() == 1 && Fake().shellRequests[0].directory == with &&
              Fake().shellRequests[0].file == with + "ORVA.EXE",
          "ORVA.EXE beside the launcher");
  }
  return 0;
}
