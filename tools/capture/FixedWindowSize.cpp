#include "capture/FixedWindowSize.h"

#include <SDL/SDL.h>
#include <SDL/SDL_syswm.h>
#include <X11/Xutil.h>

void FixedWindowSize::apply(int width, int height) {
  SDL_EventState(SDL_VIDEORESIZE, SDL_IGNORE);
  SDL_SysWMinfo window;
  SDL_VERSION(&window.version);
  if (SDL_GetWMInfo(&window) != 1 || window.subsystem != SDL_SYSWM_X11) return;
  XSizeHints* hints = XAllocSizeHints();
  if (!hints) return;
  hints->flags = PMinSize | PMaxSize;
  hints->min_width = hints->max_width = width;
  hints->min_height = hints->max_height = height;
  window.info.x11.lock_func();
  XSetWMNormalHints(window.info.x11.display, window.info.x11.wmwindow, hints);
  XFlush(window.info.x11.display);
  window.info.x11.unlock_func();
  XFree(hints);
}
