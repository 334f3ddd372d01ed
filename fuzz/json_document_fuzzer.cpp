// JsonDocument::parse and get_text on arbitrary text, as the dialogue offers every answer
// to them: nothing crashes or hangs past the engine's limits, clear() always gives an
// empty root, and the document still loads and reads a real error answer afterwards.

#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "automation/automation.h"
#include "json/json_document.h"

namespace {

using namespace ff::fuzzing;

ff::JsonDocument& document() {
  static ff::JsonDocument doc;
  return doc;
}

// The engine's error number for a call it stopped because memory ran short.
constexpr double kOutOfMemory = 7;

// True when the engine refused the document's last call for memory. Above its ceiling
// the engine stops any script that outlasts one watchdog slice; this process (the fuzzer,
// the sanitizers' quarantine and what big inputs left behind) may well be there, and then
// a refused call is the contract, not a fault. The engine's own report decides: the
// resident size read afterwards may already have dropped below the ceiling again.
bool refused_for_memory(const ff::JsonDocument& doc) {
  const ff::ComObject error = ff::get_property(doc.get_engine(), "Error").object();
  return ff::get_property(error, "Number").number() == kOutOfMemory;
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
  const bool cleared = doc.clear();
  FF_FUZZ_CHECK(cleared || refused_for_memory(doc), seen);
  if (cleared) {
    const ff::Text json = doc.to_json();
    FF_FUZZ_CHECK(json == "{}" || refused_for_memory(doc), seen + " left " + escaped(json.view()));
  }
  const bool loaded = doc.parse(R"({"error":"busy"})") && doc.get_text("error") == "busy";
  FF_FUZZ_CHECK(loaded || refused_for_memory(doc), seen + " spoilt the document");
  return 0;
}
