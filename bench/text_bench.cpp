// The text toolkit's character walkers over 1 MiB of GBK text, and the raw-byte search
// that looks for the waiting sentence in every answer.

#include <benchmark/benchmark.h>

#include "bench/content.h"
#include "console/messages.h"
#include "text/primitives.h"

namespace ff::bench {
namespace {

const std::string& megabyte_text() {
  static const std::string text = gbk_text(kMiB);
  return text;
}

void report_bytes(benchmark::State& state, std::size_t size) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// A text that is not there: the walk reads every character.
void find_text_absent(benchmark::State& state) {
  const std::string& text = megabyte_text();
  for (auto _ : state) benchmark::DoNotOptimize(find_text(text, "not-there"));
  report_bytes(state, text.size());
}
BENCHMARK(find_text_absent)->Unit(benchmark::kMicrosecond);

void find_text_absent_ignore_case(benchmark::State& state) {
  const std::string& text = megabyte_text();
  for (auto _ : state) benchmark::DoNotOptimize(find_text(text, "NOT-THERE", 0, true));
  report_bytes(state, text.size());
}
BENCHMARK(find_text_absent_ignore_case)->Unit(benchmark::kMicrosecond);

// About 30,000 replacements, one in every 35 bytes.
void replace_text_delimiter(benchmark::State& state) {
  const std::string& text = megabyte_text();
  for (auto _ : state) benchmark::DoNotOptimize(replace_text(text, ";", ", ", true));
  report_bytes(state, text.size());
}
BENCHMARK(replace_text_delimiter)->Unit(benchmark::kMicrosecond);

// About 6,000 lines.
void split_text_lines(benchmark::State& state) {
  const std::string& text = megabyte_text();
  for (auto _ : state) benchmark::DoNotOptimize(split_text(text, "\r\n"));
  report_bytes(state, text.size());
}
BENCHMARK(split_text_lines)->Unit(benchmark::kMicrosecond);

// The waiting-page test of one polling attempt on a 20 KiB waiting page.
void find_substring_waiting_sentence(benchmark::State& state) {
  const std::string page = waiting_page();
  for (auto _ : state) {
    benchmark::DoNotOptimize(find_substring(page, messages::waiting_sentence_gbk));
  }
  report_bytes(state, page.size());
}
BENCHMARK(find_substring_waiting_sentence)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace ff::bench
