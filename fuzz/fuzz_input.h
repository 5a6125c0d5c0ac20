// Shared by the fuzz targets: how an input picks a lead-byte set, and plain
// reference models of the rules, written apart from the code under test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "paths/paths.h"

// A property that does not hold stops the fuzzer with the input that broke it.
inline void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
  }
}

// Reads the input front to back; past the end it gives zeros.
struct FuzzInput {
  const std::uint8_t* data;
  std::size_t size;

  std::uint8_t Byte() {
    if (size == 0) return 0;
    --size;
    return *data++;
  }
  std::string Rest() {
    std::string rest(reinterpret_cast<const char*>(data), size);
    size = 0;
    return rest;
  }
};

// The models step by the fake's lead bytes, as its CharNextA does.
inline bool ModelLead(std::uint8_t byte) { return FakeLeadByte(byte); }

// The first byte picks the lead bytes: none, 932's, those of 936, 949 and 950
// (one range), or up to six arbitrary pairs read from the input. Sets the
// fake and the launcher's settings alike.
inline void ChooseLeadBytes(FuzzInput& in) {
  ResetFake(1252);
  const std::uint8_t choice = in.Byte();
  switch (choice % 4) {
    case 0: Fake().leadBytePairs = {}; break;
    case 1: Fake().leadBytePairs = {0x81, 0x9F, 0xE0, 0xFC}; break;
    case 2: Fake().leadBytePairs = {0x81, 0xFE}; break;
    default: {
      Fake().leadBytePairs.clear();
      const int pairs = (choice / 4) % 7;
      for (int i = 0; i < 2 * pairs; ++i) Fake().leadBytePairs.push_back(in.Byte());
    }
  }
  LoadLocaleSettings();
}

// Kinds of every byte by a plain walk from the left.
inline std::vector<ByteKind> ModelKinds(const std::string& text) {
  std::vector<ByteKind> kinds;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (ModelLead(static_cast<std::uint8_t>(text[i]))) {
      kinds.push_back(ByteKind::LeadByte);
      if (i + 1 < text.size()) kinds.push_back(ByteKind::TrailByte), ++i;
    } else {
      kinds.push_back(ByteKind::SingleByte);
    }
  }
  return kinds;
}
