// Answers written to hang or exhaust the engine: parse must give up on each within a
// bounded time, and the same document must load an ordinary answer afterwards.

#include <sys/resource.h>

#include <chrono>
#include <iostream>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "json/json_document.h"

namespace ff {
namespace {

struct HostileAnswer {
  const char* name;
  std::string text;
};

void PrintTo(const HostileAnswer& answer, std::ostream* out) { *out << answer.name; }

std::string nested_arrays(std::size_t depth) {
  return std::string(depth, '[') + std::string(depth, ']');
}

long peak_resident_kib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

class HostileAnswerTest : public ::testing::TestWithParam<HostileAnswer> {};

TEST_P(HostileAnswerTest, ParseGivesUpAndTheDocumentStaysUsable) {
  constexpr auto bound = std::chrono::seconds(6);
  JsonDocument doc;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(doc.parse(GetParam().text));
  const auto elapsed = std::chrono::steady_clock::now() - start;
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
  EXPECT_LT(elapsed, bound);
  std::cout << GetParam().name << ": " << ms << " ms, peak resident " << peak_resident_kib()
            << " KiB\n";
  RecordProperty("elapsed_ms", std::to_string(ms));
  RecordProperty("peak_resident_kib", std::to_string(peak_resident_kib()));

  ASSERT_TRUE(doc.parse(R"({"error":"x"})"));
  EXPECT_EQ(doc.get_text("error"), "x");
}

// String answers run as script in the default form of parse, so statements arrive as
// JSON strings, as a hostile site could send them.
INSTANTIATE_TEST_SUITE_P(
    Answers, HostileAnswerTest,
    ::testing::Values(
        HostileAnswer{"EndlessLoop", R"("for(;;){}")"},
        HostileAnswer{"EndlessLoopCatchingItsInterruption",
                      R"("for(;;){try{for(;;);}catch(e){}}")"},
        HostileAnswer{"MemoryBomb", "new Array(1<<27).join('x')"},
        HostileAnswer{"GrowingMemory",
                      R"js("var a=[];for(;;)a.push(new Array(1<<20).join('x')+a.length)")js"},
        HostileAnswer{"InfiniteRecursion", "(function f(){return f()+1})()"},
        HostileAnswer{"DeeplyNestedArray", nested_arrays(1'000'000)}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ff
