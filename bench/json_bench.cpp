// The JSON document against the engine underneath it: the error-answer test of one polling
// attempt, and loading 1 MiB of JSON through parse beside the same script run raw.

#include <benchmark/benchmark.h>

#include "automation/automation.h"
#include "bench/content.h"
#include "json/json_document.h"
#include "platform/script_control.h"

namespace ff::bench {
namespace {

constexpr std::string_view kErrorAnswer = R"({"error":"busy","code":503})";

const std::string& megabyte_json() {
  static const std::string text = json_text(kMiB);
  return text;
}

// What the download dialogue spends on an error answer when it keeps no document:
// construct, parse, read "error", destroy.
void error_answer_cycle(benchmark::State& state) {
  for (auto _ : state) {
    JsonDocument document;
    benchmark::DoNotOptimize(document.parse(Text(kErrorAnswer)));
    benchmark::DoNotOptimize(document.get_text("error"));
  }
}
BENCHMARK(error_answer_cycle)->Unit(benchmark::kMicrosecond);

// The same with one document reused across attempts, as the download dialogue does.
void error_answer_reparse(benchmark::State& state) {
  JsonDocument document;
  for (auto _ : state) {
    benchmark::DoNotOptimize(document.parse(Text(kErrorAnswer)));
    benchmark::DoNotOptimize(document.get_text("error"));
  }
}
BENCHMARK(error_answer_reparse)->Unit(benchmark::kMicrosecond);

// What every polling attempt spends on a waiting page: the dialogue's one document loads
// the 20 KiB page, which fails as script, in a new engine each time.
void error_test_on_waiting_page(benchmark::State& state) {
  JsonDocument document;
  const Text page(waiting_page());
  for (auto _ : state) benchmark::DoNotOptimize(document.parse(page));
}
BENCHMARK(error_test_on_waiting_page)->Unit(benchmark::kMicrosecond);

// parse of 1 MiB: a new engine with the helper script, then the text run through eval.
void parse_megabyte(benchmark::State& state) {
  JsonDocument document;
  const Text text(megabyte_json());
  for (auto _ : state) benchmark::DoNotOptimize(document.parse(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(parse_megabyte)->Unit(benchmark::kMillisecond);

// The same text run raw through one script control's Eval: the floor parse builds on.
void raw_eval_megabyte(benchmark::State& state) {
  register_script_control();
  ComObject engine;
  if (!create_object(kScriptControlProgId, engine) ||
      !put_property(engine, "Language", text_arg("JavaScript"))) {
    state.SkipWithError("no script control");
    return;
  }
  const Text script = Text("var da = eval(") + megabyte_json() + ")";
  for (auto _ : state) {
    benchmark::DoNotOptimize(call_method(engine, "Eval", {text_arg(script)}).ok());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * script.size()));
}
BENCHMARK(raw_eval_megabyte)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ff::bench
