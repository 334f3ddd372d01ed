// JsonDocument::parse and get_text on arbitrary text, as the dialogue offers every answer
// to them: nothing crashes or hangs past the engine's limits, clear() always gives an
// empty root, and the document still loads and reads a real error answer afterwards.

#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "json/json_document.h"

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
  FF_FUZZ_CHECK(doc.clear(), seen);
  FF_FUZZ_CHECK(doc.to_json() == "{}", seen + " left " + escaped(doc.to_json().view()));

  FF_FUZZ_CHECK(doc.parse(R"({"error":"busy"})") && doc.get_text("error") == "busy",
                seen + " spoilt the document");
  return 0;
}
