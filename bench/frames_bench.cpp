// The frames compiler alone on a 30 KB program, with Google Benchmark.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_inputs.h"
#include "compiler/frames/frame_compiler.h"

namespace zet {
namespace {

void BM_FramesCompiler30K(benchmark::State& state) {
  const std::string program = ThirtyKilobyteProgram();
  for (auto _ : state) {
    CodeBuffer code;
    FrameCompiler(program.c_str(), code, kThirtyKilobyteFrames).Compile();
    benchmark::DoNotOptimize(code.Bytes()[0]);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(program.size()));
  state.counters["ns_per_byte"] =
      benchmark::Counter(static_cast<double>(state.iterations() * program.size()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FramesCompiler30K)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zet

BENCHMARK_MAIN();
