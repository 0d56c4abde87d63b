// The real log window, opened on a second thread of this program and driven
// from the test thread as a user would, under a display.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "compiler/resources/resource.h"
#include "compiler/shell/log_buffer.h"
#include "compiler/shell/log_window.h"

namespace zet {
namespace {

std::string Text(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

RECT Moved(RECT r, int dx, int dy) {
  OffsetRect(&r, dx, dy);
  return r;
}

RECT Grown(RECT r, int dx, int dy) {
  r.right += dx;
  r.bottom += dy;
  return r;
}

template <typename Condition>
bool WaitFor(Condition condition) {
  for (int i = 0; i < 500; ++i) {
    if (condition()) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

BOOL CALLBACK TakeDialog(HWND window, LPARAM found) {
  char className[16] = "";
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) != "#32770") {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// Saves what the screen shows of `window` as a 24-bit BMP file.
void SaveScreenshot(HWND window, const char* path) {
  RECT r{};
  GetWindowRect(window, &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);

  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  std::vector<char> pixels(stride * height);
  GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
            DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  if (FILE* out = fopen(path, "wb")) {
    fwrite(&file, sizeof file, 1, out);
    fwrite(&info, sizeof info, 1, out);
    fwrite(pixels.data(), 1, pixels.size(), out);
    fclose(out);
  }
}

// One log window with the given log, open from construction to destruction.
class LogWindow {
 public:
  explicit LogWindow(const std::string& log) {
    LogBuffer = log;
    thread_ = std::thread([this] {
      threadId_ = GetCurrentThreadId();
      ShowLogWindow(GetModuleHandleA(nullptr));
      closed_ = true;
    });
    WaitFor([this] {
      EnumThreadWindows(threadId_, TakeDialog, reinterpret_cast<LPARAM>(&dialog_));
      return dialog_ != nullptr && IsWindowVisible(dialog_);
    });
  }
  ~LogWindow() {
    if (!closed_ && dialog_ != nullptr) {
      PostMessageA(dialog_, WM_COMMAND, IDCANCEL, 0);
    }
    thread_.join();
  }
  LogWindow(const LogWindow&) = delete;
  LogWindow& operator=(const LogWindow&) = delete;

  HWND Dialog() const { return dialog_; }
  DWORD ThreadId() const { return threadId_; }
  HWND Item(int id) const { return GetDlgItem(dialog_, id); }
  bool WaitClosed() {
    return WaitFor([this] { return closed_.load(); });
  }

  // A control's rectangle in the client coordinates of the dialog.
  RECT ItemRect(int id) const {
    RECT r{};
    GetWindowRect(Item(id), &r);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  // A control's place in the template, in this window's pixels; position and
  // size convert one by one, as the dialog manager does.
  RECT Mapped(int x, int y, int width, int height) const {
    RECT r{x, y, width, height};
    MapDialogRect(dialog_, &r);
    return {r.left, r.top, r.left + r.right, r.top + r.bottom};
  }
  SIZE WindowSize() const {
    RECT r{};
    GetWindowRect(dialog_, &r);
    return {r.right - r.left, r.bottom - r.top};
  }
  SIZE ClientSize() const {
    RECT r{};
    GetClientRect(dialog_, &r);
    return {r.right, r.bottom};
  }
  void Resize(SIZE size) {
    SetWindowPos(dialog_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
  }

 private:
  std::thread thread_;
  HWND dialog_ = nullptr;
  std::atomic<DWORD> threadId_{0};
  std::atomic<bool> closed_{false};
};

const int kControls[] = {IDC_LOG_VIEW, IDC_HELP_BUTTON, IDOK, IDC_VERSION_LINE};

std::vector<RECT> ControlRects(const LogWindow& window) {
  std::vector<RECT> rects;
  for (int id : kControls) {
    rects.push_back(window.ItemRect(id));
  }
  return rects;
}

// Where each control must be after the client area grew by dx × dy: the view
// grows, Close and the version line follow the bottom-right corner, Help
// follows the bottom edge.
std::vector<RECT> ExpectedAfterGrowth(const std::vector<RECT>& before, int dx, int dy) {
  return {Grown(before[0], dx, dy), Moved(before[1], 0, dy), Moved(before[2], dx, dy),
          Moved(before[3], dx, dy)};
}

void ExpectRects(const std::vector<RECT>& actual, const std::vector<RECT>& expected,
                 const char* when) {
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(Text(actual[i]), Text(expected[i])) << "control " << kControls[i] << " " << when;
  }
}

TEST(LogWindowTest, ShowsTheWholeLogFocusedAndUnselected) {
  const std::string logs[] = {
      "",
      // 表 and ソ end in the byte 0x5C.
      "C:\\表示\\a.zts 処理中...\r\n完了。\r\nソース.zts 処理中...\r\n" + std::string(1500, 'x') +
          "\r\n",
  };
  for (const std::string& log : logs) {
    LogWindow window(log);
    ASSERT_NE(window.Dialog(), nullptr) << "no log window";
    const HWND view = window.Item(IDC_LOG_VIEW);
    std::string text(log.size() + 16, '\0');
    text.resize(GetWindowTextA(view, text.data(), static_cast<int>(text.size())));
    EXPECT_EQ(text, log);

    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetGUIThreadInfo(window.ThreadId(), &info));
    EXPECT_EQ(info.hwndFocus, view);
    DWORD start = 1, end = 1;
    SendMessageA(view, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
  }
}

TEST(LogWindowTest, OpensWithTheTemplateLayoutAndKeepsItsMinimumSize) {
  LogWindow window("a.zts 処理中...\r\n完了。\r\n");
  ASSERT_NE(window.Dialog(), nullptr) << "no log window";
  RedrawWindow(window.Dialog(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  SaveScreenshot(window.Dialog(), "log_window.bmp");
  ExpectRects(ControlRects(window),
              {window.Mapped(5, 5, 157, 133), window.Mapped(49, 145, 50, 14),
               window.Mapped(112, 145, 50, 14), window.Mapped(90, 163, 73, 8)},
              "at opening");

  const SIZE initial = window.WindowSize();
  const std::vector<RECT> before = ControlRects(window);
  const SIZE attempts[] = {{initial.cx - 1, initial.cy},
                           {initial.cx, initial.cy - 1},
                           {initial.cx - 80, initial.cy - 60},
                           {1, 1}};
  for (const SIZE& attempt : attempts) {
    window.Resize(attempt);
    const SIZE now = window.WindowSize();
    EXPECT_EQ(now.cx, initial.cx) << "asked for " << attempt.cx << " x " << attempt.cy;
    EXPECT_EQ(now.cy, initial.cy) << "asked for " << attempt.cx << " x " << attempt.cy;
    ExpectRects(ControlRects(window), before, "at the minimum size");
  }
  // Growing in one direction only leaves the other at its minimum.
  window.Resize({initial.cx + 30, initial.cy - 10});
  EXPECT_EQ(window.WindowSize().cx, initial.cx + 30);
  EXPECT_EQ(window.WindowSize().cy, initial.cy);
}

TEST(LogWindowTest, GrowingMovesAndSizesTheControls) {
  LogWindow window("");
  ASSERT_NE(window.Dialog(), nullptr) << "no log window";
  const SIZE initial = window.WindowSize();
  const SIZE client = window.ClientSize();
  const std::vector<RECT> before = ControlRects(window);

  window.Resize({initial.cx + 100, initial.cy + 50});
  EXPECT_EQ(window.ClientSize().cx, client.cx + 100);
  EXPECT_EQ(window.ClientSize().cy, client.cy + 50);
  ExpectRects(ControlRects(window), ExpectedAfterGrowth(before, 100, 50), "after growing");

  window.Resize(initial);
  ExpectRects(ControlRects(window), before, "back at the initial size");
}

TEST(LogWindowTest, MinimisingChangesNothingAndRestoringRelaysOut) {
  LogWindow window("");
  ASSERT_NE(window.Dialog(), nullptr) << "no log window";
  const SIZE initial = window.WindowSize();
  const std::vector<RECT> before = ControlRects(window);
  window.Resize({initial.cx + 100, initial.cy + 50});
  const std::vector<RECT> grown = ControlRects(window);

  ShowWindow(window.Dialog(), SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(window.Dialog()));
  ExpectRects(ControlRects(window), grown, "while minimised");

  ShowWindow(window.Dialog(), SW_RESTORE);
  ASSERT_FALSE(IsIconic(window.Dialog()));
  EXPECT_EQ(window.WindowSize().cx, initial.cx + 100);
  EXPECT_EQ(window.WindowSize().cy, initial.cy + 50);
  ExpectRects(ControlRects(window), ExpectedAfterGrowth(before, 100, 50), "after restoring");
}

// Messages left to the dialog manager answer through the message-result slot,
// which holds a pointer-sized value: a handle and values with high bits set must
// come back whole.
TEST(LogWindowTest, LeftMessagesAnswerWithTheDialogManagersResult) {
  LogWindow window("x\r\n");
  ASSERT_NE(window.Dialog(), nullptr) << "no log window";
  const LRESULT font = SendMessageA(window.Item(IDC_LOG_VIEW), WM_GETFONT, 0, 0);
  ASSERT_NE(font, 0);
  RECT client{};
  GetClientRect(window.Dialog(), &client);
  POINT centre{client.right / 2, client.bottom / 2};
  ClientToScreen(window.Dialog(), &centre);
  const struct {
    const char* what;
    UINT message;
    LPARAM lParam;
    LRESULT expected;
  } cases[] = {
      {"DM_GETDEFID", DM_GETDEFID, 0, MAKELRESULT(IDOK, DC_HASDEFID)},
      {"WM_GETFONT", WM_GETFONT, 0, font},
      {"WM_GETTEXTLENGTH", WM_GETTEXTLENGTH, 0, 18},  // "Zetrova コンパイラ" in Shift-JIS
      {"WM_NCHITTEST", WM_NCHITTEST, MAKELPARAM(centre.x, centre.y), HTCLIENT},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SendMessageA(window.Dialog(), c.message, 0, c.lParam), c.expected) << c.what;
  }
}

TEST(LogWindowTest, EscapeTheCloseButtonAndTheCloseBoxEndTheWindow) {
  const struct {
    const char* how;
    void (*close)(const LogWindow&);
  } ways[] = {
      {"Escape",
       [](const LogWindow& w) {
         PostMessageA(w.Item(IDC_LOG_VIEW), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
       }},
      {"Close button", [](const LogWindow& w) { PostMessageA(w.Item(IDOK), BM_CLICK, 0, 0); }},
      {"close box",
       [](const LogWindow& w) { PostMessageA(w.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
      // Enter presses the default button, Close.
      {"Enter",
       [](const LogWindow& w) {
         PostMessageA(w.Item(IDC_LOG_VIEW), WM_KEYDOWN, VK_RETURN, 0x001C0001);
       }},
  };
  for (const auto& way : ways) {
    LogWindow window("x\r\n");
    ASSERT_NE(window.Dialog(), nullptr) << "no log window";
    way.close(window);
    EXPECT_TRUE(window.WaitClosed()) << way.how;
    EXPECT_FALSE(IsWindow(window.Dialog())) << way.how;
  }
}

}  // namespace
}  // namespace zet
