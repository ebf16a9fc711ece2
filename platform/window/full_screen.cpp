#include "platform/window/full_screen.h"

#include <SDL_syswm.h>

#ifdef NAUVREL_HAVE_X11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

namespace win {

namespace {

// True on an X server with no window manager that follows the desktop conventions.
bool UnmanagedX11(SDL_Window* sdl) {
#ifdef NAUVREL_HAVE_X11
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(sdl, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  Display* display = info.info.x11.display;
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return true;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const bool found =
      XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                         &format, &count, &after, &data) == Success &&
      type == XA_WINDOW && count == 1;
  if (data) XFree(data);
  return !found;
#else
  (void)sdl;
  return false;
#endif
}

}  // namespace

void EnterFullScreen(SDL_Window* sdl, bool& covering) {
  covering = UnmanagedX11(sdl);
  if (!covering) {
    SDL_SetWindowFullscreen(sdl, SDL_WINDOW_FULLSCREEN_DESKTOP);
    return;
  }
  SDL_Rect bounds{0, 0, 800, 600};
  SDL_GetDisplayBounds(SDL_max(SDL_GetWindowDisplayIndex(sdl), 0), &bounds);
  SDL_SetWindowBordered(sdl, SDL_FALSE);
  SDL_SetWindowPosition(sdl, bounds.x, bounds.y);
  SDL_SetWindowSize(sdl, bounds.w, bounds.h);
  SDL_RaiseWindow(sdl);
}

void LeaveFullScreen(SDL_Window* sdl, bool& covering) {
  if (covering)
    SDL_SetWindowBordered(sdl, SDL_TRUE);
  else
    SDL_SetWindowFullscreen(sdl, 0);
  covering = false;
}

}  // namespace win
