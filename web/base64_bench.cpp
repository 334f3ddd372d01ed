#include <benchmark/benchmark.h>

#include "web/base64.h"

namespace ff {
namespace {

void BM_Base64Encode(benchmark::State& state) {
  Bytes data(static_cast<std::size_t>(state.range(0)));
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 131);
  for (auto _ : state) benchmark::DoNotOptimize(base64_encode(data));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Base64Encode)->Arg(16)->Arg(4 << 10)->Arg(4 << 20);

}  // namespace
}  // namespace ff

BENCHMARK_MAIN();
