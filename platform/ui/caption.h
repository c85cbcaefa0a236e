// Private: the captions the layer draws itself (child windows with a
// caption, such as MDI children): the system-menu icon, the minimise,
// maximise and close buttons, active and inactive colours, hit testing and
// the pressed-button loop. Menu bars reuse the buttons for a maximised MDI
// child.
#pragma once

#include "platform/ui/wintypes.h"

namespace mirt_ui {

struct Wnd;

// The parts of a caption in window coordinates; empty rectangles for the
// parts the window's style leaves out.
struct CaptionParts {
  RECT bar{}, icon{}, minimize{}, maximize{}, close{};
};

CaptionParts CaptionLayout(const Wnd& w);
// HTSYSMENU, HTMINBUTTON, HTMAXBUTTON or HTCLOSE for a point (window
// coordinates) on one of the caption's parts, else HTNOWHERE.
LRESULT CaptionPartAt(const Wnd& w, POINT p);
// Paints the caption (active or inactive by the window's caption state),
// with the part `pressed` (a hit code, 0 for none) drawn pushed.
void PaintCaption(Wnd& w, HDC dc, UINT pressed = 0);
// The icon a caption shows: the class icon, else the application's.
HICON CaptionIcon(HWND h);
// The glyph state of a caption button for a window's style (restore in
// place of maximise or minimise while it is in that state, inactive when
// the style lacks the box).
UINT CaptionButtonState(DWORD style, UINT hit);
// The system command a caption button gives for a window's style.
WPARAM CaptionButtonCommand(DWORD style, UINT hit);

// Holds a pressed caption button while the left button is down: `paint`
// redraws it with the pressed state (0 when the pointer left it); true when
// the button was released on it. Ends on WM_QUIT, which it posts again.
enum class CaptionPress { kUp, kDown };
bool TrackCaptionButton(HWND capture, const RECT& buttonOnScreen, void (*paint)(HWND, CaptionPress, void*),
                        void* context);

}  // namespace mirt_ui
