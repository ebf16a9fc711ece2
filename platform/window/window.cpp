#include "platform/window/window.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "platform/sound/dsound.h"
#include "platform/window/cp1250.h"
#include "platform/window/frame_area.h"
#include "platform/window/full_screen.h"
#include "platform/window/gamepad.h"
#include "platform/window/keys.h"
#include "platform/window/sdl_window.h"

namespace win {

struct Window {
  SDL_Window* sdl = nullptr;
  WNDPROC proc = nullptr;
};

namespace {

struct ScheduledMessage {
  int idleTurns;
  MSG msg;
};

struct WindowLayer {
  std::string className;
  WNDPROC classProc = nullptr;
  Window* window = nullptr;
  bool windowed = false;
  bool covering = false;  // full screen as a borderless window over the display
  int display = 0;
  ScaleMode scale = ScaleMode::Smooth;
  bool active = false;
  bool closeSent = false;
  std::deque<MSG> queue;
  std::deque<ScheduledMessage> scheduled;
  HCURSOR cursor = nullptr;
  std::vector<std::string> boxes;
  uint32_t postedEvent = 0;
};
WindowLayer Layer;

const char ArrowToken = 0;

bool InitEvents() {
  if (SDL_WasInit(SDL_INIT_EVENTS) == 0 && SDL_InitSubSystem(SDL_INIT_EVENTS) != 0) return false;
  if (Layer.postedEvent == 0) Layer.postedEvent = SDL_RegisterEvents(1);
  InitGamepads();  // without controllers the keyboard and the mouse still play
  return Layer.postedEvent != static_cast<uint32_t>(-1);
}

bool HeadlessVideo() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return !driver || SDL_strcmp(driver, "dummy") == 0 || SDL_strcmp(driver, "offscreen") == 0;
}

// 800 × 600 scaled by a whole or fractional factor so that it fits the desktop.
void FitWindowedSize(SDL_Window* sdl) {
  const int display = std::max(SDL_GetWindowDisplayIndex(sdl), 0);
  SDL_Rect usable{0, 0, 800, 600};
  SDL_GetDisplayUsableBounds(display, &usable);
  double scale = 1.0;
  if (usable.w < 800 || usable.h < 600) scale = std::min(usable.w / 800.0, usable.h / 600.0);
  SDL_SetWindowSize(sdl, static_cast<int>(800 * scale), static_cast<int>(600 * scale));
  SDL_SetWindowPosition(sdl, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                        SDL_WINDOWPOS_CENTERED_DISPLAY(display));
}

void Enqueue(uint32_t message, WPARAM wParam, LPARAM lParam) {
  Layer.queue.push_back(MSG{Layer.window, message, wParam, lParam});
}

void SetActive(bool active) {
  if (Layer.active == active) return;
  Layer.active = active;
  Enqueue(WM_ACTIVATEAPP, active ? 1 : 0, 0);
}

// Positions are always in the 800 × 600 frame, also in the letterbox bars, where the
// presenter draws it in the window's real pixels.
LPARAM MousePosition(int x, int y) {
  int windowW = FrameWidth, windowH = FrameHeight;
  if (Layer.window) SDL_GetWindowSize(Layer.window->sdl, &windowW, &windowH);
  int outputW = windowW, outputH = windowH;
  if (Layer.window) {
    SDL_Renderer* renderer = SDL_GetRenderer(Layer.window->sdl);
    if (!renderer || SDL_GetRendererOutputSize(renderer, &outputW, &outputH) != 0)
      SDL_GetWindowSizeInPixels(Layer.window->sdl, &outputW, &outputH);
  }
  const FramePoint p = ToFrame(x, y, windowW, windowH, outputW, outputH, Layer.scale);
  return MAKELPARAM(static_cast<uint16_t>(p.x), static_cast<uint16_t>(p.y));
}

void Translate(const SDL_Event& event) {
  if (event.type == Layer.postedEvent) {
    Enqueue(static_cast<uint32_t>(event.user.code),
            static_cast<WPARAM>(reinterpret_cast<uintptr_t>(event.user.data1)),
            static_cast<LPARAM>(reinterpret_cast<intptr_t>(event.user.data2)));
    return;
  }
  switch (event.type) {
    case SDL_QUIT:
      if (!Layer.closeSent) Enqueue(WM_CLOSE, 0, 0);
      Layer.closeSent = true;
      break;
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          if (!Layer.closeSent) Enqueue(WM_CLOSE, 0, 0);
          Layer.closeSent = true;
          break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN:
          SetActive(true);
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_HIDDEN:
          SetActive(false);
          break;
        default:
          break;
      }
      break;
    case SDL_KEYDOWN: {
      const SDL_Keysym& key = event.key.keysym;
      if ((key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER) && (key.mod & KMOD_ALT)) {
        if (!event.key.repeat) ToggleFullScreen();
        break;
      }
      if (const uint16_t vk = VirtualKey(key.sym, key.scancode)) Enqueue(WM_KEYDOWN, vk, 1);
      break;
    }
    case SDL_AUDIODEVICEREMOVED:  // only ever reported for an opened device: the mixer's
      if (!event.adevice.iscapture) ds::NoteDeviceRemoved();
      break;
    case SDL_MOUSEMOTION:
      Enqueue(WM_MOUSEMOVE, 0, MousePosition(event.motion.x, event.motion.y));
      break;
    case SDL_MOUSEBUTTONUP: {
      const uint32_t message = event.button.button == SDL_BUTTON_LEFT     ? WM_LBUTTONUP
                               : event.button.button == SDL_BUTTON_RIGHT  ? WM_RBUTTONUP
                               : event.button.button == SDL_BUTTON_MIDDLE ? WM_MBUTTONUP
                                                                          : 0;
      if (message) Enqueue(message, 0, MousePosition(event.button.x, event.button.y));
      break;
    }
    default:
      if (const std::optional<WPARAM> press = GamepadPress(event)) Enqueue(WM_GAMEPAD, *press, 0);
      break;
  }
}

void PumpEvents() {
  if (!InitEvents()) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) Translate(event);
}

// Test scripts: a scheduled message arrives once the queue was found idle often enough.
bool DeliverScheduled(bool idleTurn) {
  if (Layer.scheduled.empty()) return false;
  ScheduledMessage& next = Layer.scheduled.front();
  if (idleTurn && next.idleTurns > 0) --next.idleTurns;
  if (next.idleTurns > 0) return false;
  MSG msg = next.msg;
  if (!msg.hwnd) msg.hwnd = Layer.window;
  Layer.queue.push_back(msg);
  Layer.scheduled.pop_front();
  return true;
}

}  // namespace

// --- window --------------------------------------------------------------------

bool RegisterClassEx(const WindowClass& wc) {
  if (!wc.lpfnWndProc || !wc.lpszClassName) return false;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "Nauvrel: no video: %s\n", SDL_GetError());
    return false;
  }
  if (!InitEvents()) return false;
  Layer.className = wc.lpszClassName;
  Layer.classProc = wc.lpfnWndProc;
  return true;
}

HWND CreateWindowEx(const char* className, const char* title, int, int) {
  if (!className || Layer.className != className || Layer.window) return nullptr;
  // The window only carries the display: full screen on the desktop, or a window of the
  // frame's proportions; the 800 × 600 frame is scaled into it.
  const uint32_t flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  const int display =
      Layer.display >= 0 && Layer.display < SDL_GetNumVideoDisplays() ? Layer.display : 0;
  SDL_Window* sdl = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                                     SDL_WINDOWPOS_CENTERED_DISPLAY(display), 800, 600, flags);
  if (!sdl) return nullptr;
  FitWindowedSize(sdl);
  SDL_SetWindowMinimumSize(sdl, 200, 150);
  Layer.window = new Window{sdl, Layer.classProc};
  Layer.closeSent = false;
  return Layer.window;
}

HWND MainWindow() { return Layer.window; }

void ShowWindow(HWND hwnd) {
  if (!hwnd || hwnd != Layer.window) return;
  SDL_ShowWindow(hwnd->sdl);
  if (!Layer.windowed) EnterFullScreen(hwnd->sdl, Layer.covering);
  SDL_RaiseWindow(hwnd->sdl);
  // Shown is activated; a headless run has no focus events and stays active.
  SetActive(true);
}

void InvalidateRect(HWND hwnd) {
  if (hwnd && hwnd == Layer.window) Enqueue(WM_PAINT, 0, 0);
}

void DestroyWindow(HWND hwnd) {
  if (!hwnd || hwnd != Layer.window) return;
  if (hwnd->proc) hwnd->proc(hwnd, WM_DESTROY, 0, 0);
  Layer.display = WindowDisplay();
  SDL_DestroyWindow(hwnd->sdl);
  delete hwnd;
  Layer.window = nullptr;
}

SDL_Window* SdlWindow(HWND hwnd) { return hwnd && hwnd == Layer.window ? hwnd->sdl : nullptr; }

void SetWindowedPreference(bool windowed) { Layer.windowed = windowed; }
bool WindowedPreference() { return Layer.windowed; }

bool IsFullScreen() {
  return Layer.window && (Layer.covering || (SDL_GetWindowFlags(Layer.window->sdl) &
                                             SDL_WINDOW_FULLSCREEN_DESKTOP) != 0);
}

void ToggleFullScreen() {
  if (!Layer.window) return;
  SDL_Window* sdl = Layer.window->sdl;
  if (IsFullScreen()) {
    LeaveFullScreen(sdl, Layer.covering);
    FitWindowedSize(sdl);
  } else {
    EnterFullScreen(sdl, Layer.covering);
  }
  Layer.windowed = !IsFullScreen();
}

void SetDisplayPreference(int display) { Layer.display = display; }

int WindowDisplay() {
  const int display = Layer.window ? SDL_GetWindowDisplayIndex(Layer.window->sdl) : -1;
  return display >= 0 ? display : Layer.display;
}

void SetScaleMode(ScaleMode mode) { Layer.scale = mode; }
ScaleMode CurrentScaleMode() { return Layer.scale; }

namespace {
constexpr std::pair<ScaleMode, const char*> ScaleNames[] = {{ScaleMode::Smooth, "smooth"},
                                                            {ScaleMode::Integer, "integer"},
                                                            {ScaleMode::Nearest, "nearest"},
                                                            {ScaleMode::Linear, "linear"}};
}  // namespace

bool ScaleModeNamed(std::string_view name, ScaleMode& mode) {
  for (const auto& [m, n] : ScaleNames)
    if (name == n) {
      mode = m;
      return true;
    }
  return false;
}

const char* ScaleModeName(ScaleMode mode) {
  for (const auto& [m, n] : ScaleNames)
    if (m == mode) return n;
  return "smooth";
}

LRESULT DefWindowProc(HWND hwnd, uint32_t message, WPARAM, LPARAM) {
  if (message == WM_CLOSE) DestroyWindow(hwnd);
  return 0;
}

// --- message queue ---------------------------------------------------------------

bool PeekMessage(MSG& msg) {
  PumpEvents();
  if (Layer.queue.empty()) DeliverScheduled(true);
  if (Layer.queue.empty()) return false;
  msg = Layer.queue.front();
  return true;
}

int GetMessage(MSG& msg) {
  PumpEvents();
  while (Layer.queue.empty()) {
    if (DeliverScheduled(false)) break;
    SDL_Event event;
    if (InitEvents() && SDL_WaitEventTimeout(&event, 100)) Translate(event);
  }
  msg = Layer.queue.front();
  Layer.queue.pop_front();
  return msg.message == WM_QUIT ? 0 : 1;
}

void TranslateMessage(const MSG&) {}

LRESULT DispatchMessage(const MSG& msg) {
  HWND target = msg.hwnd ? msg.hwnd : Layer.window;
  if (!target || target != Layer.window || !target->proc) return 0;
  return target->proc(target, msg.message, msg.wParam, msg.lParam);
}

void PostMessage(HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam) {
  if (!InitEvents()) return;
  SDL_Event event{};
  event.type = Layer.postedEvent;
  event.user.code = static_cast<Sint32>(message);
  event.user.data1 = reinterpret_cast<void*>(static_cast<uintptr_t>(wParam));
  event.user.data2 = reinterpret_cast<void*>(static_cast<intptr_t>(lParam));
  (void)hwnd;  // one window: every posted message is for it
  SDL_PushEvent(&event);
}

void PostQuitMessage(int exitCode) {
  PostMessage(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0);
}

LRESULT SendMessage(HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam) {
  return DispatchMessage(MSG{hwnd, message, wParam, lParam});
}

// --- cursor and message boxes ----------------------------------------------------

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR previous = Layer.cursor;
  Layer.cursor = cursor;
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(cursor ? SDL_ENABLE : SDL_DISABLE);
  return previous;
}

HCURSOR LoadArrowCursor() { return &ArrowToken; }
HCURSOR CurrentCursor() { return Layer.cursor; }

void MessageBox(HWND owner, const char* text, const char* caption) {
  const std::string utf8Text = Cp1250ToUtf8(text);
  const std::string utf8Caption = Cp1250ToUtf8(caption);
  Layer.boxes.push_back(utf8Text);
  std::fprintf(stderr, "%s\n%s\n", utf8Caption.c_str(), utf8Text.c_str());
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || HeadlessVideo()) return;
  SDL_Window* parent = owner && owner == Layer.window ? owner->sdl : nullptr;
  if (parent && IsFullScreen()) LeaveFullScreen(parent, Layer.covering);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, utf8Caption.c_str(), utf8Text.c_str(), parent);
}

namespace testing {
const std::vector<std::string>& MessageBoxes() { return Layer.boxes; }

void ScheduleMessage(int idleTurns, const MSG& msg) {
  Layer.scheduled.push_back(ScheduledMessage{idleTurns, msg});
}

size_t ScheduledMessages() { return Layer.scheduled.size(); }

void Reset() {
  if (Layer.window) {
    SDL_DestroyWindow(Layer.window->sdl);
    delete Layer.window;
  }
  Layer = WindowLayer{};
  if (SDL_WasInit(SDL_INIT_EVENTS)) SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}
}  // namespace testing

}  // namespace win
