#pragma once
// What the fuzz targets share: inputs held to the Text contract, an independent reading of
// the double-byte walk to check answers against, and the check that stops a run.
//
// A failed check prints the property and what was seen, then aborts, so that libFuzzer
// keeps the input that broke it (build-fuzz/artifacts/).

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_testing.h"

namespace ff::fuzzing {

// The bytes with their zero bytes taken out: a Text never holds one.
[[nodiscard]] std::string zero_free(std::string bytes);

[[noreturn]] void fail(std::string_view property, std::string_view seen);

// Bytes shown as written in the tests (ff::escaped of text/text_testing.h).
using ff::escaped;

// A 1-based start for a search window: mostly near the text, sometimes any int (the
// extremes included).
[[nodiscard]] int fuzzed_start(FuzzedDataProvider& in);

// Whether each byte begins a character when the text is walked from `from`: a byte
// 0x80..0xFF and the byte after it form one character, any other byte is one by itself.
// Bytes before `from` never begin one. One more entry, at text.size(), tells whether the
// walk lands exactly on the end (false when the last character is a lead byte cut short).
[[nodiscard]] std::vector<bool> char_starts(std::string_view text, std::size_t from = 0);

// The width of the character beginning at i under that walk: 2 for a lead byte, even one
// that is the last byte of the text, 1 for any other byte.
[[nodiscard]] std::size_t char_width(std::string_view text, std::size_t i);

// A..Z made a..z; nothing else changes.
[[nodiscard]] std::string ascii_lower(std::string_view text);

// Byte-for-byte equality, the ASCII letters compared without regard to case.
[[nodiscard]] bool equal_ignoring_case(std::string_view a, std::string_view b);

// The members joined by the delimiter.
[[nodiscard]] std::string joined(const std::vector<std::string>& members,
                                 std::string_view delimiter);

}  // namespace ff::fuzzing

// Checks a property of an answer; `seen` is built only when the check fails.
#define FF_FUZZ_CHECK(property, seen) \
  ((property) ? void() : ::ff::fuzzing::fail(#property, (seen)))
