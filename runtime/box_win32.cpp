// The box: a hook on the calling thread finds the system's message box as it
// is created, a subclass customises it after the system's own WM_INITDIALOG
// and plays the animation on a timer that follows the clock. Nothing of it
// outlives the call: the hook goes when the box is found or the call ends,
// the timer and the subclass when the window goes.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "runtime/box.h"
#include "runtime/box_animation.h"

namespace zetrt {

namespace {

constexpr UINT_PTR kSubclassId = 0x5A45;  // 'ZE'
constexpr UINT_PTR kTimerId = 0x5A45;
constexpr int kPictureId = 0x5A45;

// Button ids in the file's caption order: OK, CANCEL, ABORT, RETRY, IGNORE,
// YES, NO, CLOSE, CONTINUE, HELP.
constexpr int kCaptionIds[zetreader::kCaptionCount] = {
    IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO, IDCLOSE, IDCONTINUE, IDHELP};

const wchar_t* Wide(const char16_t* text) {
  return reinterpret_cast<const wchar_t*>(text);
}

uint64_t ClockSeed() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  const uint64_t seed = static_cast<uint64_t>(now.QuadPart) ^ GetCurrentThreadId();
  return seed ? seed : 1;
}

bool HasClass(HWND window, const wchar_t* name) {
  wchar_t found[16];
  return GetClassNameW(window, found, 16) > 0 && lstrcmpiW(found, name) == 0;
}

RECT ClientRectOf(HWND child, HWND parent) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void MoveBy(HWND child, HWND parent, int dx, int dy) {
  const RECT rect = ClientRectOf(child, parent);
  SetWindowPos(child, nullptr, rect.left + dx, rect.top + dy, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

struct Controls {
  HWND icon = nullptr;
  HWND text = nullptr;
  HWND buttons[16] = {};
  int buttonCount = 0;
};

Controls ControlsOf(HWND box) {
  Controls controls;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (HasClass(child, L"Static") && (style & SS_TYPEMASK) == SS_ICON) {
      controls.icon = child;
    } else if (HasClass(child, L"Static") && GetDlgCtrlID(child) == 0xFFFF) {
      controls.text = child;
    } else if (HasClass(child, L"Button") && controls.buttonCount < 16) {
      controls.buttons[controls.buttonCount++] = child;
    }
  }
  return controls;
}

class Box {
 public:
  Box(const BoxRequest& request, int kind)
      : messages_(*request.messages),
        strip_(messages_.strips[kind]),
        type_(request.type),
        animation_(messages_.file.kinds[kind],
                   zetstep::FrameMs(messages_.file.kinds[kind].frameTime, request.unitMs,
                                    request.defaultMs),
                   request.seed ? request.seed : ClockSeed()),
        frameMessage_(RegisterWindowMessageA("ZetrovaFrame")) {}

  bool Attach(HWND window) {
    window_ = window;
    return SetWindowSubclass(window, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                               DWORD_PTR data) {
    Box& box = *reinterpret_cast<Box*>(data);
    if (message == WM_INITDIALOG) {
      const LRESULT result = DefSubclassProc(window, message, w, l);
      box.Customise();
      return result;
    }
    if (message == box.frameMessage_) {
      return !box.custom_ ? 0 : w == 0 ? box.animation_.frame() + 1 : box.animation_.shownSteps();
    }
    if (message == WM_TIMER && w == kTimerId) {
      box.Tick();
      return 0;
    }
    if (message == WM_DRAWITEM && w == static_cast<WPARAM>(kPictureId) && box.custom_) {
      box.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
      return TRUE;
    }
    if (message == WM_NCDESTROY) {
      KillTimer(window, kTimerId);
      RemoveWindowSubclass(window, Proc, kSubclassId);
    }
    return DefSubclassProc(window, message, w, l);
  }

  // Everything that can fail comes before the box changes: a box that
  // cannot take the picture stays the system's own.
  void Customise() {
    try {
      Controls controls = ControlsOf(window_);
      if (controls.icon && (type_ & MB_ICONMASK) == 0) {
        // Wine keeps an icon control in a box without an icon, and hides it
        // only after WM_INITDIALOG.
        ShowWindow(controls.icon, SW_HIDE);
        controls.icon = nullptr;
      }
      if (!controls.text || !CreatePicture(controls)) {
        return;
      }
      SetCaptions();
      LayOut(controls);
      custom_ = true;
    } catch (...) {
      custom_ = false;
    }
  }

  bool CreatePicture(const Controls& controls) {
    const HDC screen = GetDC(window_);
    if (!screen) {
      return false;
    }
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(window_, screen);
    size_ = {MulDiv(strip_.width, dpi, 96), MulDiv(strip_.frameHeight, dpi, 96)};
    const RECT anchor = ClientRectOf(controls.icon ? controls.icon : controls.text, window_);
    picture_ = CreateWindowExW(0, L"Static", nullptr, WS_CHILD | WS_VISIBLE | SS_OWNERDRAW,
                               anchor.left, anchor.top, size_.cx, size_.cy, window_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPictureId)), nullptr,
                               nullptr);
    return picture_ != nullptr;
  }

  void SetCaptions() {
    const bool okAlone = (type_ & MB_TYPEMASK) == MB_OK;
    for (int i = 0; i < zetreader::kCaptionCount; ++i) {
      const std::u16string& caption = messages_.file.captions[i].text;
      int id = kCaptionIds[i];
      if (okAlone && (id == IDOK || id == IDCANCEL)) {
        // The lone button of MB_OK carries IDCANCEL on Windows, IDOK under Wine.
        id = id == IDOK && !GetDlgItem(window_, IDOK) ? IDCANCEL : id == IDCANCEL ? 0 : id;
      }
      HWND button = id ? GetDlgItem(window_, id) : nullptr;
      if (button && !caption.empty()) {
        SetWindowTextW(button, Wide(caption.c_str()));
      }
    }
  }

  // The text moves right of the picture and the buttons below it; the box
  // grows by as much and stays centred where it was.
  void LayOut(const Controls& controls) {
    const RECT text = ClientRectOf(controls.text, window_);
    const RECT icon = controls.icon ? ClientRectOf(controls.icon, window_) : RECT{};
    if (controls.icon) {
      ShowWindow(controls.icon, SW_HIDE);
    }
    const RECT picture = ClientRectOf(picture_, window_);
    const int spacing = controls.icon ? text.left - icon.right : text.left;
    const int dx = std::max(0L, picture.right + spacing - text.left);
    const LONG bottomBefore = std::max(text.bottom, controls.icon ? icon.bottom : text.bottom);
    const int dy = std::max(0L, picture.bottom - bottomBefore);
    MoveBy(controls.text, window_, dx, 0);
    RECT client;
    GetClientRect(window_, &client);
    for (int i = 0; i < controls.buttonCount; ++i) {
      MoveBy(controls.buttons[i], window_, ButtonShift(controls, client, dx), dy);
    }
    RECT frame;
    GetWindowRect(window_, &frame);
    SetWindowPos(window_, nullptr, frame.left - dx / 2, frame.top - dy / 2,
                 frame.right - frame.left + dx, frame.bottom - frame.top + dy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // Centred buttons stay centred, right-aligned ones right-aligned.
  int ButtonShift(const Controls& controls, const RECT& client, int dx) const {
    if (controls.buttonCount == 0) {
      return 0;
    }
    LONG left = client.right, right = 0;
    for (int i = 0; i < controls.buttonCount; ++i) {
      const RECT rect = ClientRectOf(controls.buttons[i], window_);
      left = std::min(left, rect.left);
      right = std::max(right, rect.right);
    }
    return std::abs((client.right - right) - left) <= 2 ? dx / 2 : dx;
  }

  int64_t Now() const { return static_cast<int64_t>(GetTickCount64() - start_); }

  void Tick() {
    try {
      const int before = animation_.frame();
      const int64_t now = Now();
      if (animation_.FrameAt(now) != before) {
        InvalidateRect(picture_, nullptr, FALSE);
      }
      const std::optional<int64_t> next = animation_.nextChange();
      if (!next) {
        KillTimer(window_, kTimerId);
        return;
      }
      const int64_t wait = std::clamp<int64_t>(*next - now, USER_TIMER_MINIMUM, 0x7FFFFFFF);
      SetTimer(window_, kTimerId, static_cast<UINT>(wait), nullptr);
    } catch (...) {
      KillTimer(window_, kTimerId);
    }
  }

  // The clock starts with the first picture drawn.
  void Draw(const DRAWITEMSTRUCT& item) {
    if (!started_) {
      started_ = true;
      start_ = GetTickCount64();
      Tick();
    }
    const int frame = animation_.frame();
    if (frame >= strip_.frameCount || strip_.frameHeight <= 0) {
      return;
    }
    const int h = strip_.frameHeight;
    const int source = strip_.topDown ? frame * h : strip_.rows - (frame + 1) * h;
    SetStretchBltMode(item.hDC, COLORONCOLOR);
    StretchDIBits(item.hDC, item.rcItem.left, item.rcItem.top, size_.cx, size_.cy, 0, source,
                  strip_.width, h, strip_.bits,
                  reinterpret_cast<const BITMAPINFO*>(strip_.info.data()), DIB_RGB_COLORS, SRCCOPY);
  }

  const ZetMessages& messages_;
  const Strip& strip_;
  const unsigned type_;
  BoxAnimation animation_;
  const UINT frameMessage_;
  HWND window_ = nullptr;
  HWND picture_ = nullptr;
  SIZE size_ = {};
  bool custom_ = false;
  bool started_ = false;
  ULONGLONG start_ = 0;
};

// The box that the next message box created on this thread becomes.
thread_local Box* t_waiting = nullptr;

LRESULT CALLBACK WatchCreation(int code, WPARAM w, LPARAM l) {
  if (code == HCBT_CREATEWND && t_waiting) {
    const HWND window = reinterpret_cast<HWND>(w);
    if (HasClass(window, L"#32770")) {
      Box* box = t_waiting;
      t_waiting = nullptr;
      box->Attach(window);
    }
  }
  return CallNextHookEx(nullptr, code, w, l);
}

// Sets the hook for one call and takes it away after, also when the box
// was never found; a box shown from inside this one finds its own.
class Watch {
 public:
  explicit Watch(Box& box) : before_(t_waiting) {
    t_waiting = &box;
    hook_ = SetWindowsHookExW(WH_CBT, WatchCreation, nullptr, GetCurrentThreadId());
  }
  ~Watch() {
    if (hook_) {
      UnhookWindowsHookEx(hook_);
    }
    t_waiting = before_;
  }
  Watch(const Watch&) = delete;
  Watch& operator=(const Watch&) = delete;

 private:
  Box* before_;
  HHOOK hook_ = nullptr;
};

}  // namespace

int ShowBox(const BoxRequest& request) {
  const HWND owner = static_cast<HWND>(const_cast<void*>(request.owner));
  const int kind = KindOfType(request.type);
  const std::u16string text =
      BoxText(*request.messages, kind, request.hasText ? request.text.c_str() : nullptr);
  std::optional<Box> box;
  try {
    box.emplace(request, kind);
  } catch (...) {
    return MessageBoxW(owner, Wide(text.c_str()), Wide(request.caption), request.type);
  }
  const Watch watch(*box);
  return MessageBoxW(owner, Wide(text.c_str()), Wide(request.caption), request.type);
}

}  // namespace zetrt
