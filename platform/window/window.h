#pragma once
// The window, in place of the window manager's services the game calls: one window, its
// message queue (SDL events become WM_KEYDOWN with virtual keys, button-up messages,
// WM_MOUSEMOVE in 800 x 600 coordinates, WM_ACTIVATEAPP, WM_CLOSE, WM_GAMEPAD from game
// controllers plugged in at any time), posted messages,
// message boxes (also written to standard error) and the cursor.
// Left out: child windows, menus, window classes beyond the one, keyboard layouts.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace win {

using WPARAM = uint64_t;
using LPARAM = int64_t;
using LRESULT = int64_t;
struct Window;  // the one window of the program
using HWND = Window*;
using WNDPROC = LRESULT (*)(HWND, uint32_t message, WPARAM, LPARAM);

constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_PAINT = 0x000F;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_ACTIVATEAPP = 0x001C;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_COMMAND = 0x0111;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_RBUTTONUP = 0x0205;
constexpr uint32_t WM_MBUTTONUP = 0x0208;
constexpr uint32_t MM_MCINOTIFY = 0x03B9;
// A game-controller press (an application message): wParam is one of the PAD_ codes.
constexpr uint32_t WM_GAMEPAD = 0x8001;

constexpr WPARAM PAD_A = 1;
constexpr WPARAM PAD_B = 2;
constexpr WPARAM PAD_X = 3;
constexpr WPARAM PAD_Y = 4;
constexpr WPARAM PAD_BACK = 5;
constexpr WPARAM PAD_START = 6;
constexpr WPARAM PAD_UP = 7;  // the d-pad, or the left stick pushed past half way
constexpr WPARAM PAD_DOWN = 8;
constexpr WPARAM PAD_LEFT = 9;
constexpr WPARAM PAD_RIGHT = 10;
constexpr WPARAM PAD_TRIGGER = 11;  // either trigger pulled past half way

constexpr uint16_t VK_BACK = 0x08;
constexpr uint16_t VK_TAB = 0x09;
constexpr uint16_t VK_RETURN = 0x0D;
constexpr uint16_t VK_SHIFT = 0x10;
constexpr uint16_t VK_CONTROL = 0x11;
constexpr uint16_t VK_MENU = 0x12;
constexpr uint16_t VK_PAUSE = 0x13;
constexpr uint16_t VK_ESCAPE = 0x1B;
constexpr uint16_t VK_SPACE = 0x20;
constexpr uint16_t VK_PRIOR = 0x21;
constexpr uint16_t VK_NEXT = 0x22;
constexpr uint16_t VK_END = 0x23;
constexpr uint16_t VK_HOME = 0x24;
constexpr uint16_t VK_LEFT = 0x25;
constexpr uint16_t VK_UP = 0x26;
constexpr uint16_t VK_RIGHT = 0x27;
constexpr uint16_t VK_DOWN = 0x28;
constexpr uint16_t VK_INSERT = 0x2D;
constexpr uint16_t VK_DELETE = 0x2E;
constexpr uint16_t VK_F1 = 0x70;
constexpr uint16_t VK_F12 = 0x7B;

struct MSG {
  HWND hwnd = nullptr;
  uint32_t message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

constexpr LPARAM MAKELPARAM(uint16_t low, uint16_t high) {
  return static_cast<LPARAM>(static_cast<uint32_t>(low) | (static_cast<uint32_t>(high) << 16));
}
constexpr uint16_t LOWORD(uint64_t v) { return static_cast<uint16_t>(v & 0xFFFF); }
constexpr uint16_t HIWORD(uint64_t v) { return static_cast<uint16_t>((v >> 16) & 0xFFFF); }

// --- window ----------------------------------------------------------------
struct WindowClass {
  WNDPROC lpfnWndProc = nullptr;
  const char* lpszClassName = nullptr;
};
bool RegisterClassEx(const WindowClass& wc);
// Creates the window of a registered class; "--windowed" in the options keeps it
// out of full screen. The title is shown as it stands (ASCII).
HWND CreateWindowEx(const char* className, const char* title, int width, int height);
HWND MainWindow();  // the window made last, or nullptr
void ShowWindow(HWND hwnd);
void InvalidateRect(HWND hwnd);  // queues one WM_PAINT
void DestroyWindow(HWND hwnd);   // sends WM_DESTROY, then the window is gone
// Presentation: full screen unless windowed; Alt+Enter toggles and never reaches the game.
// The preference follows the player's Alt+Enter, so that it can be kept for the next run.
void SetWindowedPreference(bool windowed);
bool WindowedPreference();
bool IsFullScreen();
void ToggleFullScreen();
// The display the window opens on (0: the first) and the one it is on now.
void SetDisplayPreference(int display);
int WindowDisplay();
// How the 800 x 600 frame fills the window, always at 4:3 with black bars: Smooth scales by
// nearest neighbour to the largest whole multiple that fits, then linearly to the window;
// Integer shows the largest whole multiple alone; Nearest and Linear scale all the way.
enum class ScaleMode { Smooth, Integer, Nearest, Linear };
void SetScaleMode(ScaleMode mode);
ScaleMode CurrentScaleMode();
// "smooth", "integer", "nearest", "linear"; false (mode untouched) for any other name.
bool ScaleModeNamed(std::string_view name, ScaleMode& mode);
const char* ScaleModeName(ScaleMode mode);

// The default handling: WM_CLOSE destroys the window; everything else returns 0.
LRESULT DefWindowProc(HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam);
// Painting during WM_PAINT: text in the window's own small font at a client position.
void TextOut(HWND hwnd, int x, int y, const char* text, int length);

// --- message queue ---------------------------------------------------------
bool PeekMessage(MSG& msg);  // PM_NOREMOVE: is a message waiting? (fills msg with it)
int GetMessage(MSG& msg);    // blocks; 0 for WM_QUIT, 1 otherwise
void TranslateMessage(const MSG& msg);
LRESULT DispatchMessage(const MSG& msg);
// Posting is safe from any thread (the mixer's callbacks post MM_MCINOTIFY).
void PostMessage(HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// Calls the window procedure at once.
LRESULT SendMessage(HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam);

// --- cursor and message boxes ----------------------------------------------
using HCURSOR = const void*;
HCURSOR SetCursor(HCURSOR cursor);  // returns the previous one; nullptr hides it
HCURSOR LoadArrowCursor();          // LoadCursor(null, IDC_ARROW)
HCURSOR CurrentCursor();
// A modal error box (MB_ICONERROR | MB_OK). Text and caption are Windows-1250; the text
// also goes to standard error as UTF-8, and there alone where no display can show a box.
void MessageBox(HWND owner, const char* text, const char* caption);

// --- for tests ---------------------------------------------------------------
namespace testing {
// Every message box shown so far (UTF-8 text), oldest first.
const std::vector<std::string>& MessageBoxes();
// Deliver `msg` once the queue has been polled idle `idleTurns` more times.
void ScheduleMessage(int idleTurns, const MSG& msg);
size_t ScheduledMessages();  // scheduled and not yet delivered
// Forget the window, the class, the queue, the cursor and the boxes.
void Reset();
}  // namespace testing

}  // namespace win
