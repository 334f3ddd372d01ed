// JsonDocument::parse and get_text on arbitrary text, as the dialogue offers every answer
// to them: nothing crashes or hangs past the engine's limits, clear() always gives an
// empty root, and the document still loads and reads a real error answer afterwards.

#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "json/json_document.h"
#include "platform/script_limits.h"

namespace {

using namespace ff::fuzzing;

ff::JsonDocument& document() {
  static ff::JsonDocument doc;
  return doc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ff::Text text(std::string(reinterpret_cast<const char*>(data), size));
  ff::JsonDocument& doc = document();
  const std::string seen = escaped(text.view());

  // A value JSON cannot write (a function, a BigInt) reads as "": no property to check
  // beyond surviving the reads.
  if (doc.parse(text)) {
    (void)doc.get_text("error");
    (void)doc.get_text({}, true);
  }
  // Above its memory ceiling the engine stops any script that outlasts one watchdog
  // slice; this process (the fuzzer, the sanitizers' own memory and what big inputs left
  // resident) may be there, and then a refused call is the contract, not a fault.
  const auto refused_by_ceiling = [] { return ff::resident_bytes() > ff::kMaxProcessBytes; };
  const bool cleared = doc.clear();
  FF_FUZZ_CHECK(cleared || refused_by_ceiling(), seen);
  FF_FUZZ_CHECK(!cleared || doc.to_json() == "{}" || refused_by_ceiling(),
                seen + " left " + escaped(doc.to_json().view()));
  const bool loaded = doc.parse(R"({"error":"busy"})") && doc.get_text("error") == "busy";
  FF_FUZZ_CHECK(loaded || refused_by_ceiling(), seen + " spoilt the document");
  return 0;
}
