// One web_request of a 20 KiB waiting page from a server on 127.0.0.1, as every polling
// attempt makes it: a new request object and so a new connection each time.

#include <benchmark/benchmark.h>

#include "bench/content.h"
#include "platform/testing/loopback_server.h"
#include "web/base64.h"
#include "web/web_request.h"

namespace ff::bench {
namespace {

void web_request_waiting_page(benchmark::State& state) {
  const std::string page = waiting_page();
  testing::LoopbackServer server;
  server->Get("/page.ttf", [&page](const httplib::Request&, httplib::Response& res) {
    res.set_content(page, "text/html; charset=gbk");
  });
  server.start();
  const std::string link = server.url("/page.ttf");
  for (auto _ : state) {
    const Bytes answer = web_request(link);
    if (answer.size() != page.size()) {
      state.SkipWithError("the page did not arrive whole");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(web_request_waiting_page)->Unit(benchmark::kMicrosecond)->UseRealTime();

void base64_encode_bytes(benchmark::State& state) {
  Bytes data(static_cast<std::size_t>(state.range(0)));
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 131);
  for (auto _ : state) benchmark::DoNotOptimize(base64_encode(data));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(base64_encode_bytes)->Arg(16)->Arg(4 << 10)->Arg(4 << 20);

}  // namespace
}  // namespace ff::bench
