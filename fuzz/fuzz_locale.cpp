// Any answers of the platform: the lead-byte set is the pair walk over what
// GetCPInfo gave for the process code page, and depends on nothing else.
#include <cstdint>
#include <vector>

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in{data, size};
  ResetFake(1252);
  const std::uint8_t flags = in.Byte();
  unsigned acp = in.Byte();
  acp = acp << 8 | in.Byte();
  std::vector<unsigned char> pairs;
  for (int i = 0; i < 12; ++i) pairs.push_back(in.Byte());

  Fake().acp = acp;
  Fake().leadBytePairs = pairs;
  Fake().cpInfoFails = flags & 1;
  // Answers that must not matter.
  Fake().commandLine = in.Rest();
  Fake().modulePath = (flags & 2) ? u"C:\\x.exe" : u"";
  Fake().codePagesAsked.clear();
  LoadLocaleSettings();

  Check(Fake().codePagesAsked == std::vector<unsigned>{acp}, "asks the process code page");
  bool any = false;
  for (int b = 0; b < 256; ++b) {
    const bool expected = !Fake().cpInfoFails && ModelLead(static_cast<std::uint8_t>(b));
    Check(Locale.LeadByteSet[b] == expected, "lead-byte set is the pair walk");
    any = any || expected;
  }
  Check(Locale.DoubleByteAware == any, "double-byte aware when any lead byte");

  const LocaleSettings first = Locale;
  Fake().acp = acp ^ 0x5A5A;
  Fake().commandLine = "other";
  LoadLocaleSettings();
  for (int b = 0; b < 256; ++b) {
    Check(Locale.LeadByteSet[b] == first.LeadByteSet[b], "same answers, same set");
  }
  return 0;
}
