// The cost of the error-answer test on one polling attempt: a document constructed, one
// small answer parsed and read, the document destroyed.

#include <benchmark/benchmark.h>

#include "json/json_document.h"

namespace {

void error_answer_cycle(benchmark::State& state) {
  for (auto _ : state) {
    ff::JsonDocument doc;
    benchmark::DoNotOptimize(doc.parse(R"({"error":"x"})"));
    benchmark::DoNotOptimize(doc.get_text("error"));
  }
}
BENCHMARK(error_answer_cycle)->Unit(benchmark::kMicrosecond);

// One document reused across attempts, as the download dialogue does.
void error_answer_reparse(benchmark::State& state) {
  ff::JsonDocument doc;
  for (auto _ : state) {
    benchmark::DoNotOptimize(doc.parse(R"({"error":"x"})"));
    benchmark::DoNotOptimize(doc.get_text("error"));
  }
}
BENCHMARK(error_answer_reparse)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
