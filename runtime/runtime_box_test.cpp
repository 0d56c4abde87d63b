// Real boxes under Windows (Wine on a virtual display here): the system's
// box with the file's captions and texts, the kind's frames in the icon's
// place pixel for pixel, the answers of MessageBox, and nothing left behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <thread>

#include "player/kind_player.h"
#include "player/picture.h"
#include "reader/compiled_file.h"
#include "reader/test_content.h"
#include "runtime/zetrt.h"
#include "tests/leaks/process_resources.h"
#include "tests/support/bmp_file.h"

namespace {

const UINT kFrameMessage = RegisterWindowMessageA("ZetrovaFrame");

struct Example {
  zetreader::FileBytes bytes = zetreader::ReadFileBytes(ZET_EXAMPLE);
  zetreader::CompiledFile file = zetreader::ReadCompiledFile(bytes);
};

struct Generated : Example {
  explicit Generated(std::vector<uint8_t> content) {
    bytes = zetreader::FileBytes(std::move(content));
    file = zetreader::ReadCompiledFile(bytes);
  }
};

const Example& TheExample() {
  static const Example example;
  return example;
}

class Messages {
 public:
  Messages() { EXPECT_EQ(ZetOpenFileA(ZET_EXAMPLE, &messages_), 0u); }
  ~Messages() { ZetClose(messages_); }
  const ZetMessages* get() const { return messages_; }

 private:
  ZetMessages* messages_ = nullptr;
};

// A box shown on a thread of its own, as an application's thread shows it.
std::future<int> ShowOnThread(std::function<int()> show) {
  return std::async(std::launch::async, std::move(show));
}

HWND WaitForBox(const wchar_t* caption) {
  for (int i = 0; i < 500; ++i) {
    if (HWND box = FindWindowW(L"#32770", caption)) {
      if (SendMessageW(box, kFrameMessage, 1, 0) > 0) {
        return box;  // drawn once: its clock runs
      }
    }
    Sleep(20);
  }
  return nullptr;
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    if (std::abs(static_cast<int>(a >> shift & 255) - static_cast<int>(b >> shift & 255)) >
        tolerance) {
      return false;
    }
  }
  return true;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512];
  GetWindowTextW(window, text, 512);
  return text;
}

std::wstring Wide(const std::u16string& text) {
  return {text.begin(), text.end()};
}

HWND PictureOf(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_OWNERDRAW &&
        IsWindowVisible(child)) {
      return child;
    }
  }
  return nullptr;
}

// The picture's pixels on the screen, 0xRRGGBB, top row first.
std::vector<uint32_t> ScreenPixels(HWND picture, int& width, int& height) {
  RECT rect;
  GetWindowRect(picture, &rect);
  width = rect.right - rect.left;
  height = rect.bottom - rect.top;
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ before = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const uint32_t* pixels = static_cast<const uint32_t*>(bits);
  std::vector<uint32_t> copy(pixels, pixels + width * height);
  SelectObject(memory, before);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  for (uint32_t& pixel : copy) {
    pixel &= 0xFFFFFF;
  }
  return copy;
}

// Whether the picture shows the frame the box reports: pixel for pixel, or
// within `tolerance` per channel where GDI widens channels of fewer than 8
// bits otherwise than the player rounds them.
::testing::AssertionResult ShowsItsFrame(HWND box, int kind, const Example& example = TheExample(),
                                         int tolerance = 0) {
  const zetreader::KindRecord& record = example.file.kinds[kind];
  const zetplay::Picture strip =
      zetplay::DecodePicture(example.bytes, record.bitmap, zetreader::kKindNames[kind]);
  HWND picture = PictureOf(box);
  if (!picture) {
    return ::testing::AssertionFailure() << "no picture";
  }
  for (int attempt = 0; attempt < 20; ++attempt) {
    const LRESULT before = SendMessageW(box, kFrameMessage, 0, 0);
    RedrawWindow(picture, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    int width = 0, height = 0;
    const std::vector<uint32_t> shown = ScreenPixels(picture, width, height);
    if (SendMessageW(box, kFrameMessage, 0, 0) != before) {
      continue;  // the frame changed while it was read
    }
    if (width != strip.width || height != record.frameHeight) {
      return ::testing::AssertionFailure() << width << "x" << height << " shown";
    }
    const uint8_t* rgb =
        zetplay::FramePixels(strip, record.frameHeight, static_cast<int>(before) - 1);
    for (int i = 0; i < width * height; ++i) {
      const uint32_t expected = uint32_t{rgb[3 * i]} << 16 | rgb[3 * i + 1] << 8 | rgb[3 * i + 2];
      if (!Near(shown[static_cast<size_t>(i)], expected, tolerance)) {
        return ::testing::AssertionFailure()
               << "frame " << before - 1 << ", pixel " << i << ": " << std::hex
               << shown[static_cast<size_t>(i)] << " shown, " << expected << " expected";
      }
    }
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "the frame never held still";
}

// Whether the frames the box reports, sampled for a second, are those of
// zetplay's trace with the same seed (1), step for step.
::testing::AssertionResult FollowsTheTrace(HWND box, int kind) {
  const Example& example = TheExample();
  zetplay::Settings settings;
  const zetplay::PlayedKind play =
      zetplay::KindPlayer(example.bytes, example.file, settings).Play(kind);
  std::vector<int> frames;  // of the steps that show one, in order
  size_t cycle = 0;         // where the frames of a cycle start
  for (size_t i = 0; i < play.run.steps.size(); ++i) {
    cycle = i == play.run.cycleStep ? frames.size() : cycle;
    if (play.run.steps[i].frame >= 0) {
      frames.push_back(play.run.steps[i].frame);
    }
  }
  // A cycle repeats for as long as the box stands.
  const size_t recorded = frames.size();
  for (size_t i = 0; play.run.ending == zetplay::Ending::Cycles && frames.size() < 5000; ++i) {
    frames.push_back(frames[cycle + i % (recorded - cycle)]);
  }
  for (int sample = 0; sample < 20; ++sample, Sleep(50)) {
    const LRESULT steps = SendMessageW(box, kFrameMessage, 1, 0);
    const LRESULT frame = SendMessageW(box, kFrameMessage, 0, 0) - 1;
    if (SendMessageW(box, kFrameMessage, 1, 0) != steps) {
      continue;  // a step came between the two questions
    }
    if (steps < 1 || static_cast<size_t>(steps) > frames.size() ||
        frames[static_cast<size_t>(steps) - 1] != frame) {
      return ::testing::AssertionFailure() << "step " << steps << " shows frame " << frame;
    }
  }
  return ::testing::AssertionSuccess();
}

// The caption order of the file and the buttons' ids.
constexpr int kButtonIds[] = {IDOK,  IDCANCEL, IDABORT, IDRETRY,    IDIGNORE,
                              IDYES, IDNO,     IDCLOSE, IDCONTINUE, IDHELP};

TEST(ZetMessageBox, ShowsEveryKindWithTheFilesCaptionsTextsAndFrames) {
  const Messages messages;
  const struct {
    UINT type;
    int kind;
    int answer;
  } cases[] = {
      {MB_OK, 0, IDOK},
      {MB_OKCANCEL | MB_ICONASTERISK, 1, IDCANCEL},
      {MB_YESNO | MB_ICONEXCLAMATION, 2, IDYES},
      {MB_ABORTRETRYIGNORE | MB_ICONHAND, 3, IDIGNORE},
      {MB_YESNOCANCEL | MB_ICONQUESTION, 4, IDNO},
  };
  const Example& example = TheExample();
  for (const auto& c : cases) {
    const std::wstring caption = L"zetrt " + std::to_wstring(c.kind);
    std::future<int> answer = ShowOnThread([&] {
      ZetBoxOptions options = {sizeof options, 0, 0, 1};
      return ZetMessageBoxExW(messages.get(), nullptr, L"本文", caption.c_str(), c.type, &options);
    });
    HWND box = WaitForBox(caption.c_str());
    ASSERT_TRUE(box) << c.kind;
    const zetreader::KindRecord& record = example.file.kinds[c.kind];
    std::wstring text = L"本文";
    if (!record.suffix.text.empty()) {
      text += L"\n" + Wide(record.suffix.text);
    }
    EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), text) << c.kind;
    for (int i = 0; i < 10; ++i) {
      HWND button = GetDlgItem(box, kButtonIds[i]);
      if (button && !example.file.captions[i].text.empty()) {
        EXPECT_EQ(TextOf(button), Wide(example.file.captions[i].text)) << c.kind << " " << i;
      }
    }
    EXPECT_TRUE(ShowsItsFrame(box, c.kind)) << c.kind;
    EXPECT_TRUE(FollowsTheTrace(box, c.kind)) << c.kind;
    PostMessageW(box, WM_COMMAND, c.answer, 0);
    EXPECT_EQ(answer.get(), c.answer) << c.kind;
  }
}

TEST(ZetMessageBox, AnswersAsMessageBoxDoes) {
  const Messages messages;
  const struct {
    UINT type;
    UINT message;
    WPARAM w;
    int answer;
  } cases[] = {
      {MB_OKCANCEL, WM_KEYDOWN, VK_ESCAPE, IDCANCEL},
      {MB_OKCANCEL, WM_CLOSE, 0, IDCANCEL},
      {MB_RETRYCANCEL | MB_ICONHAND, WM_COMMAND, IDRETRY, IDRETRY},
      {MB_CANCELTRYCONTINUE, WM_COMMAND, IDCONTINUE, IDCONTINUE},
  };
  for (const auto& c : cases) {
    std::future<int> answer = ShowOnThread(
        [&] { return ZetMessageBoxA(messages.get(), nullptr, nullptr, "zetrt answer", c.type); });
    HWND box = WaitForBox(L"zetrt answer");
    ASSERT_TRUE(box);
    // A key goes to the control with the focus, as the keyboard sends it.
    PostMessageW(c.message == WM_KEYDOWN ? GetDlgItem(box, IDOK) : box, c.message, c.w, 0);
    EXPECT_EQ(answer.get(), c.answer) << c.type;
  }
}

TEST(ZetMessageBox, WithoutAFileIsThePlainSystemBox) {
  std::future<int> answer =
      ShowOnThread([] { return ZetMessageBoxA(nullptr, nullptr, "plain", "zetrt plain", MB_OK); });
  HWND box = nullptr;
  for (int i = 0; i < 500 && !box; ++i, Sleep(20)) {
    box = FindWindowW(L"#32770", L"zetrt plain");
  }
  ASSERT_TRUE(box);
  EXPECT_EQ(SendMessageW(box, kFrameMessage, 0, 0), 0);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(answer.get(), IDOK);
}

zetreader::BitmapContent FromBmp(const std::string& bmp) {
  const uint32_t bits = zet::Get32(bmp, 10);
  zetreader::BitmapContent bitmap;
  bitmap.info.assign(bmp.begin() + 14, bmp.begin() + bits);
  bitmap.pixels.assign(bmp.begin() + bits, bmp.end());
  return bitmap;
}

// Five strips of 3 frames of 12 x 7 in one file, each kind showing frame 1.
std::vector<uint8_t> FileOf(const std::vector<std::string>& strips) {
  zetreader::FileContent content = zetreader::WorkedLayout();
  content.bitmaps.clear();
  for (int kind = 0; kind < zetreader::kKindCount; ++kind) {
    content.bitmaps.push_back(FromBmp(strips[static_cast<size_t>(kind)]));
    content.kinds[kind].bitmap = kind;
    content.kinds[kind].frameHeight = 7;
    content.kinds[kind].code = zetreader::Code({0, 1, 0});
  }
  return zetreader::LayOutCompiledFile(content);
}

ZetMessages* OpenBytes(const std::vector<uint8_t>& bytes) {
  ZetMessages* messages = nullptr;
  EXPECT_EQ(ZetOpenMemory(bytes.data(), static_cast<DWORD>(bytes.size()), &messages), 0u);
  return messages;
}

// Every depth, both row orders and bit fields, as GDI draws them.
TEST(ZetMessageBox, DrawsEveryPixelFormat) {
  const UINT icons[] = {MB_OK, MB_ICONASTERISK, MB_ICONEXCLAMATION, MB_ICONHAND, MB_ICONQUESTION};
  const struct {
    const char* name;
    std::vector<std::string> strips;
    int tolerance;
  } files[] = {
      {"palettes and plain",
       {zet::MakeBitmap(12, 21, 1), zet::MakeBitmap(12, -21, 4), zet::MakeBitmap(12, 21, 8, 200),
        zet::MakeBitmap(12, -21, 24), zet::MakeBitmap(12, 21, 32)},
       0},
      {"bit fields",
       {zet::WithMasks(zet::MakeBitmap(12, 21, 16), 3, {0xF800, 0x07E0, 0x001F}),
        zet::WithMasks(zet::MakeBitmap(12, -21, 16), 3, {0x7C00, 0x03E0, 0x001F}),
        zet::WithMasks(zet::MakeBitmap(12, 21, 32), 3, {0xFF, 0xFF00, 0xFF0000}),
        zet::WithMasks(zet::MakeBitmap(12, -21, 32), 6, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}),
        zet::MakeBitmap(12, 21, 16)},
       5},
  };
  for (const auto& f : files) {
    const std::vector<uint8_t> bytes = FileOf(f.strips);
    const Generated generated(bytes);
    ZetMessages* messages = OpenBytes(bytes);
    ASSERT_TRUE(messages) << f.name;
    for (int kind = 0; kind < zetreader::kKindCount; ++kind) {
      std::future<int> answer = ShowOnThread(
          [&] { return ZetMessageBoxW(messages, nullptr, L"x", L"zetrt formats", icons[kind]); });
      HWND box = WaitForBox(L"zetrt formats");
      ASSERT_TRUE(box) << f.name << " " << kind;
      EXPECT_EQ(SendMessageW(box, kFrameMessage, 0, 0), 2) << f.name << " " << kind;
      EXPECT_TRUE(ShowsItsFrame(box, kind, generated, f.tolerance)) << f.name << " " << kind;
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      answer.get();
    }
    ZetClose(messages);
  }
}

// The application's own hook, as MFC keeps one: it must still see the box.
thread_local int t_created = 0;

LRESULT CALLBACK CountCreations(int code, WPARAM w, LPARAM l) {
  t_created += code == HCBT_CREATEWND;
  return CallNextHookEx(nullptr, code, w, l);
}

// Boxes on two threads at once, a box whose owner shows another, and a
// thread with a hook of the application's own all get their animation.
TEST(ZetMessageBox, WorksBesideOtherBoxesAndHooks) {
  const Messages messages;
  std::future<int> first = ShowOnThread(
      [&] { return ZetMessageBoxW(messages.get(), nullptr, L"1", L"zetrt first", MB_OKCANCEL); });
  std::future<int> second = ShowOnThread([&] {
    // The application's own hook, as MFC keeps one: it still sees the box.
    HHOOK hook = SetWindowsHookExW(WH_CBT, CountCreations, nullptr, GetCurrentThreadId());
    const int answer =
        ZetMessageBoxW(messages.get(), nullptr, L"2", L"zetrt second", MB_YESNO | MB_ICONHAND);
    UnhookWindowsHookEx(hook);
    return t_created > 0 ? answer : -1;
  });
  HWND one = WaitForBox(L"zetrt first");
  HWND two = WaitForBox(L"zetrt second");
  ASSERT_TRUE(one && two);
  // A box shown from inside the first one's modal loop, owned by it.
  std::future<int> nested = ShowOnThread([&] {
    return ZetMessageBoxW(messages.get(), one, L"3", L"zetrt nested", MB_OK | MB_ICONQUESTION);
  });
  HWND three = WaitForBox(L"zetrt nested");
  ASSERT_TRUE(three);
  for (HWND box : {one, two, three}) {
    EXPECT_GT(SendMessageW(box, kFrameMessage, 0, 0), 0);
  }
  PostMessageW(three, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(nested.get(), IDOK);
  PostMessageW(two, WM_COMMAND, IDNO, 0);
  EXPECT_EQ(second.get(), IDNO);
  PostMessageW(one, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(first.get(), IDCANCEL);
}

// Answers the box on screen as soon as the modal loop runs.
void CALLBACK AnswerBox(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND box = FindWindowW(L"#32770", L"zetrt many")) {
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
}

int ShowAndAnswer(const ZetMessages* messages, UINT type = MB_OK | MB_ICONASTERISK) {
  const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, AnswerBox);
  const int answer = ZetMessageBoxW(messages, nullptr, L"x", L"zetrt many", type);
  KillTimer(nullptr, timer);
  return answer;
}

// Every file of the corpora opens or is refused as data; every kind of one
// that opens is shown and answered without a crash.
TEST(ZetMessageBox, RefusesOrShowsEveryHostileFile) {
  const UINT icons[] = {MB_OK, MB_ICONASTERISK, MB_ICONEXCLAMATION, MB_ICONHAND, MB_ICONQUESTION};
  int opened = 0, refused = 0;
  for (const char* folder : {ZET_SOURCE "/fuzz/corpus", ZET_SOURCE "/fuzz/regressions",
                             ZET_SOURCE "/zetdump/testdata"}) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
      ZetMessages* messages = nullptr;
      const DWORD error = ZetOpenFileW(entry.path().wstring().c_str(), &messages);
      if (!entry.is_regular_file()) {
        EXPECT_NE(error, 0u) << entry.path();
        continue;
      }
      ASSERT_TRUE(error == 0 || error == ERROR_INVALID_DATA) << entry.path() << " " << error;
      ++(error == 0 ? opened : refused);
      for (int kind = 0; messages && kind < zetreader::kKindCount; ++kind) {
        EXPECT_EQ(ShowAndAnswer(messages, icons[kind]), IDOK) << entry.path();
      }
      ZetClose(messages);
    }
  }
  EXPECT_GT(opened, 0);
  EXPECT_GT(refused, 0);
}

TEST(ZetMessageBox, AThousandBoxesLeaveNothingBehind) {
  const Messages messages;
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(ShowAndAnswer(messages.get()), IDOK);
  }
  const uint64_t handles = zet::OpenHandleCount();
  const uint64_t heap = zet::HeapInUse();
  for (int i = 0; i < 1000; ++i) {
    ASSERT_EQ(ShowAndAnswer(messages.get()), IDOK);
  }
  EXPECT_EQ(zet::OpenHandleCount(), handles);
  EXPECT_EQ(zet::HeapInUse(), heap);
}

}  // namespace
