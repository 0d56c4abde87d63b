// Benchmark of the run-time library under Windows (not a test): the process's
// processor time while one box animates at 20 frames a second for 10 s,
// beside the same box showing a still picture, and the time from the call to
// the first frame drawn, beside a plain MessageBoxA shown and painted.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <future>
#include <vector>

#include "reader/test_content.h"
#include "runtime/zetrt.h"

namespace {

const UINT kFrameMessage = RegisterWindowMessageA("ZetrovaFrame");
constexpr int kAnimated = 0, kStill = 1;  // NOICON, ASTERISK

// NOICON: "a: 0; 1; goto a;" at 50 ms a frame; ASTERISK: "0;", a still.
std::vector<uint8_t> BenchFile() {
  zetreader::FileContent content = zetreader::WorkedLayout();
  content.bitmaps[0] = zetreader::MakeBitmap(48, 96, 24);
  for (zetreader::KindContent& kind : content.kinds) {
    kind.frameHeight = 48;
    kind.frameTime = 50;
    kind.code = zetreader::Code({0, 0, 0});
  }
  content.kinds[kAnimated].code = zetreader::Code({0, 0, 0, 0, 1, 0, 3, 0, 0});
  return zetreader::LayOutCompiledFile(content);
}

double ProcessCpuMs() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto ms = [](FILETIME t) {
    return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

double NowMs() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

HWND WaitForBox(const char* caption, bool drawn) {
  for (;;) {
    HWND box = FindWindowA("#32770", caption);
    // Both kinds of box are asked, so that the asking costs both the same.
    const LRESULT steps = box ? SendMessageA(box, kFrameMessage, 1, 0) : 0;
    if (box && IsWindowVisible(box) && (!drawn || steps > 0)) {
      return box;
    }
    Sleep(1);
  }
}

// Processor time of the whole process while the box of `type` stays 10 s.
double CpuWhileShown(const ZetMessages* messages, UINT type) {
  std::future<int> answer = std::async(std::launch::async, [&] {
    return ZetMessageBoxA(messages, nullptr, "bench", "zetrt bench", type);
  });
  HWND box = WaitForBox("zetrt bench", true);
  Sleep(500);
  const double before = ProcessCpuMs();
  Sleep(10000);
  const double used = ProcessCpuMs() - before;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  answer.get();
  return used;
}

// The median time from the call until the box is on screen (and, for the
// library's box, its first frame drawn).
double TimeToFirstFrame(const ZetMessages* messages, bool plain) {
  std::vector<double> times;
  for (int run = 0; run < 9; ++run) {
    const double start = NowMs();
    std::future<int> answer = std::async(std::launch::async, [&] {
      return plain ? MessageBoxA(nullptr, "bench", "zetrt bench", MB_OK)
                   : ZetMessageBoxA(messages, nullptr, "bench", "zetrt bench", MB_OK);
    });
    HWND box = WaitForBox("zetrt bench", !plain);
    times.push_back(NowMs() - start);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    answer.get();
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  const std::vector<uint8_t> bytes = BenchFile();
  ZetMessages* messages = nullptr;
  if (ZetOpenMemory(bytes.data(), static_cast<DWORD>(bytes.size()), &messages) != 0) {
    std::fprintf(stderr, "the bench file does not open\n");
    return 1;
  }
  const double animated = CpuWhileShown(messages, MB_OK);
  const double still = CpuWhileShown(messages, MB_OK | MB_ICONASTERISK);
  std::printf("%-46s cpu %9.1f ms in 10 s\n", "a box animating at 20 frames a second", animated);
  std::printf("%-46s cpu %9.1f ms in 10 s\n", "the same box with a still picture", still);
  std::printf("%-46s %9.2f %% of one core\n", "what the animation adds",
              (animated - still) / 10000.0 * 100.0);
  const double ours = TimeToFirstFrame(messages, false);
  const double plain = TimeToFirstFrame(messages, true);
  std::printf("%-46s median %7.1f ms\n", "call to the first frame drawn", ours);
  std::printf("%-46s median %7.1f ms\n", "call to a plain MessageBoxA on screen", plain);
  std::printf("%-46s %9.2f\n", "ratio first frame / plain box", ours / plain);
  ZetClose(messages);
  return 0;
}
