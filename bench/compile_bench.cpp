// Benchmark of the compiler (not a test), for every build that can run: the
// compile of five distinct 4 MB bitmaps (and of 1 MB ones, to show that the
// heap does not grow with them), of 10,000 FRAMES lines, of a 32 MB source
// (its peak heap beside its size; not under Windows by default), of sources
// of 256 and 512 KB (the ratio of their times), a batch of 1,000
// small sources through the program's batch driver beside zetlint over the
// same sources, and the frames compiler alone. Writes its inputs into the current folder; prints
// the fastest and the median of several runs, and the peak of the heap held through new.
//
//   zet_bench [bitmaps] [frames] [large] [growth] [batch] [alone]   those parts (none: all,
//     but large under Windows)
//   zet_bench --frames-loop N   only the frames compiler, N times (callgrind)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_inputs.h"
#include "bench/heap_counter.h"
#include "bench/process_time.h"
#include "compiler/frames/frame_compiler.h"
#include "compiler/output/compile_source.h"
#include "compiler/shell/batch_driver.h"
#include "compiler/shell/log_buffer.h"
#include "compiler/source/source_file.h"
#include "lint/report.h"
#include "lint/source_lint.h"
#include "platform/system_message.h"
#include "platform/win32_error.h"

namespace zet {
namespace {

constexpr int kRuns = 7;
// The profile API finds each key in time proportional to the file, so the 32
// MB source would take hours under Windows: its growth shows there at two
// small sizes instead.
#ifdef _WIN32
constexpr bool kLargeByDefault = false;
#else
constexpr bool kLargeByDefault = true;
#endif
constexpr int kBatchRuns = 3;
constexpr int kSmallSources = 1000;
constexpr int kFourMegabyteRows = 1365;  // 1024 x 1365 x 3 + 54 = 4,193,334 bytes
constexpr int kOneMegabyteRows = 341;

using Clock = std::chrono::steady_clock;

struct Figures {
  double fastest = 0;  // ms
  double median = 0;
  double cpu = 0;       // ms of processor time, the least of the runs
  size_t peakHeap = 0;  // bytes above what was held before
};

Figures Time(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  double cpu = 0;
  size_t peak = 0;
  for (int run = 0; run < runs; ++run) {
    const size_t before = HeapNow();
    ResetHeapPeak();
    const double cpuStart = ProcessTimeMs();
    const auto start = Clock::now();
    work();
    const std::chrono::duration<double, std::milli> took = Clock::now() - start;
    times.push_back(took.count());
    const double used = ProcessTimeMs() - cpuStart;
    cpu = run == 0 ? used : std::min(cpu, used);
    peak = std::max(peak, HeapPeak() - before);
  }
  std::sort(times.begin(), times.end());
  return {times.front(), times[times.size() / 2], cpu, peak};
}

void Compile(const char* path) {
  try {
    CompileSourceFile(path);
  } catch (const std::string& message) {
    fprintf(stderr, "%s: %s", path, message.c_str());
    exit(1);
  } catch (const Win32Error& error) {
    fprintf(stderr, "%s: Win32Error %u\n", path, static_cast<unsigned>(error.code));
    exit(1);
  }
}

void Print(const char* what, const Figures& figures) {
  printf("%-46s fastest %9.3f ms  median %9.3f ms  cpu %9.3f ms  peak heap %7.1f KB\n", what,
         figures.fastest, figures.median, figures.cpu, figures.peakHeap / 1024.0);
}

void BenchBitmaps() {
  WriteBitmapsSource("bitmaps", kFourMegabyteRows);
  WriteBitmapsSource("quarter", kOneMegabyteRows);
  const Figures four = Time(kRuns, [] { Compile("bitmaps.zts"); });
  Print("compile: five distinct 4 MB 24-bit bitmaps", four);
  Print("compile: five distinct 1 MB 24-bit bitmaps", Time(kRuns, [] { Compile("quarter.zts"); }));
  // For run_bench.sh, which sets it beside cat of the same five files.
  printf("RESULT bitmaps %.3f\n", four.fastest);
}

// The compile beside the bare reads of the same 10,000 keys, one call each,
// so that what our code adds to the profile calls stays visible.
void BenchFrames() {
  WriteFramesSource();
  Print("compile: 10,000 FRAMES lines", Time(kRuns, [] { Compile("frames.zts"); }));
  const std::string path = ResolveFullPath("frames.zts");
  Print("  the same 10,000 keys read alone", Time(kRuns, [&] {
          const SourceFile source(path);
          const SourceSection basis(source, "basis");
          for (int n = 1; n <= 10000; ++n) {
            basis.ReadString(("FRAMES" + std::to_string(n)).c_str());
          }
        }));
}

// The heap the compile of a 32 MB source holds at its peak, beside the
// source's size.
void BenchLargeSource() {
  const LargeSource source = WriteLargeSource("large", kLargeSourceBytes);
  const Figures figures = Time(3, [] { Compile("large.zts"); });
  Print("compile: a 32 MB source, 1.8 million lines", figures);
  printf("%-46s %9.2f\n", "ratio peak heap / source size, 32 MB source",
         static_cast<double>(figures.peakHeap) / static_cast<double>(source.bytes));
}

// The same kind of source at two sizes, so that the growth of the compile's
// time with the number of FRAMES lines shows: linear for the Linux reader,
// with the square for the profile API, which looks each key up through the
// whole file.
void BenchGrowth() {
  double cpu[2];
  for (int twice = 0; twice < 2; ++twice) {
    const std::string stem = "growth" + std::to_string(twice);
    const LargeSource source = WriteLargeSource(stem, (256u << 10) << twice);
    const Figures figures = Time(5, [&] { Compile((stem + ".zts").c_str()); });
    const std::string what = "compile: a " + std::to_string(source.bytes >> 10) + " KB source, " +
                             std::to_string(source.framesLines) + " FRAMES lines";
    Print(what.c_str(), figures);
    cpu[twice] = figures.cpu;
  }
  // Processor time, which another load on the machine disturbs less.
  printf("%-46s %9.2f  (cpu; 2: linear, 4: with the square)\n",
         "ratio twice the source / the source", cpu[1] / cpu[0]);
}

// The program's own batch driver, as one run of the program with 1,000 file
// arguments would use it.
void BenchLint(const std::vector<std::string>& names, const Figures& compile);

void BenchBatch() {
  WriteSmallSources(kSmallSources);
  std::vector<std::string> names = {"zetcomp"};
  for (int i = 0; i < kSmallSources; ++i) {
    names.push_back("small" + std::to_string(i) + ".zts");
  }
  std::vector<char*> arguments;
  for (std::string& name : names) {
    arguments.push_back(name.data());
  }
  ModeOperations operations;
  operations.compileSourceFile = CompileSourceFile;
  operations.systemMessage = SystemMessage;
  const Figures figures = Time(kBatchRuns, [&] {
    LogBuffer.clear();
    if (RunBatch(static_cast<int>(arguments.size()), arguments.data(), operations)) {
      fprintf(stderr, "the batch failed: %s", LogBuffer.c_str());
      exit(1);
    }
  });
  printf("%-46s per source %7.1f us  cpu %7.1f us  (fastest run %8.1f ms, median %8.1f ms)\n",
         "batch of 1,000 small sources in one run", 1000 * figures.fastest / kSmallSources,
         1000 * figures.cpu / kSmallSources, figures.fastest, figures.median);
  BenchLint(names, figures);
}

// zetlint over the same sources, as one run of it with 1,000 arguments:
// read, compiled without writing, checked and reported.
void BenchLint(const std::vector<std::string>& names, const Figures& compile) {
  const zetlint::LintOptions options;
  const Figures figures = Time(kBatchRuns, [&] {
    std::vector<zetlint::SourceReport> reports;
    for (size_t i = 1; i < names.size(); ++i) {
      reports.push_back(zetlint::LintSource(names[i].c_str()));
    }
    const std::string text = zetlint::GccReport(reports, options);
    if (zetlint::HasErrors(reports, options)) {
      fprintf(stderr, "the lint found errors:\n%s", text.c_str());
      exit(1);
    }
  });
  printf("%-46s per source %7.1f us  cpu %7.1f us  (fastest run %8.1f ms, median %8.1f ms)\n",
         "zetlint over the same 1,000 sources", 1000 * figures.fastest / kSmallSources,
         1000 * figures.cpu / kSmallSources, figures.fastest, figures.median);
  printf("%-46s %9.2f\n", "ratio zetlint / zetcomp, 1,000 sources",
         figures.fastest / compile.fastest);
}

void CompileProgram(const std::string& program) {
  CodeBuffer code;
  FrameCompiler(program.c_str(), code, kThirtyKilobyteFrames).Compile();
}

void BenchFramesAlone() {
  const std::string program = ThirtyKilobyteProgram();
  int rounds = 1;
  double took = 0;
  // Doubles the rounds until one measurement lasts a fifth of a second.
  while (took < 200) {
    rounds *= 2;
    took = Time(1, [&] {
             for (int i = 0; i < rounds; ++i) {
               CompileProgram(program);
             }
           }).fastest;
  }
  const double perByte = took * 1e6 / (static_cast<double>(rounds) * program.size());
  printf("%-46s %7.2f ns per byte  (%zu bytes, %d rounds)\n",
         "frames compiler alone, 30 KB program", perByte, program.size(), rounds);
}

}  // namespace
}  // namespace zet

int main(int argc, char** argv) {
  if (argc == 3 && strcmp(argv[1], "--frames-loop") == 0) {
    const std::string program = zet::ThirtyKilobyteProgram();
    for (int i = 0; i < atoi(argv[2]); ++i) {
      zet::CompileProgram(program);
    }
    printf("RESULT frames_bytes %zu\n", program.size());
    return 0;
  }
  const auto wanted = [&](const char* part) {
    if (argc == 1) {
      return true;
    }
    for (int i = 1; i < argc; ++i) {
      if (strcmp(argv[i], part) == 0) {
        return true;
      }
    }
    return false;
  };
  if (wanted("bitmaps")) {
    zet::BenchBitmaps();
  }
  if (wanted("frames")) {
    zet::BenchFrames();
  }
  if (argc == 1 ? zet::kLargeByDefault : wanted("large")) {
    zet::BenchLargeSource();
  }
  if (wanted("growth")) {
    zet::BenchGrowth();
  }
  if (wanted("batch")) {
    zet::BenchBatch();
  }
  if (wanted("alone")) {
    zet::BenchFramesAlone();
  }
  return 0;
}
