// Docking shared by the framework's frames (SECMDIFrameWnd, SECFrameWnd):
// the four dock bars, docking by style between a bar's hooks, floating in
// mini frames, showing bars and the dock bars' repaint after a layout.
#pragma once

#include <functional>

#include "framework/sec_dock_bar.h"
#include "platform/afx/afx.h"

class SECControlBar;
class SECControlBarManager;
class SECWndPlugIn;
class SECMenuBar;

// The framework bar behind a control bar, or null.
SECControlBar* SECBarOf(CControlBar* pBar);
// The framework dock bar behind a window, or null.
SECDockBar* SECDockBarOf(CWnd* pWnd);
// The dock bar of the table that takes a bar of `dwBarStyle`, or null.
CDockBar* SECFindDockBarFor(CFrameWnd* pFrame, DWORD dwBarStyle);
// Docks into a framework dock bar by rectangle, else through the MFC dock bar.
void SECDockInto(CDockBar* pDock, CControlBar* pBar, LPCRECT lpRect);
// The float style of a bar: a dynamic bar keeps its dynamic style and lies horizontally.
DWORD SECFloatStyle(CControlBar* pBar, DWORD dwStyle);
// The frame a bar floats alone in when its alignment matches `dwStyle`, or null.
CFrameWnd* SECAloneIn(CControlBar* pBar, DWORD dwStyle);
void SECBeforeDock(CControlBar* pBar);
void SECAfterDock(CControlBar* pBar);

// Creates the dock bars of the table for the sides in `dwDockStyle` that have
// none yet, each made by `create`; a failure throws a resource exception.
void SECFrameEnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle, DWORD dwExtraStyle,
                           const std::function<CDockBar*()>& create);
void SECFrameDockControlBar(CFrameWnd* pFrame, CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect);
void SECFrameReDockControlBar(CFrameWnd* pFrame, CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect);
void SECFrameFloatControlBar(CFrameWnd* pFrame, CControlBar* pBar, CPoint point, DWORD dwStyle);
void SECFrameShowControlBar(CFrameWnd* pFrame, CControlBar* pBar, BOOL bShow, BOOL bDelay);
// After the frame's layout: its dock bars repaint their bars (the whole frame
// the first time) and `rectClient` becomes the area left for the client.
void SECFrameAfterLayout(CFrameWnd* pFrame, CRect& rectClient);

// What a frame owns and frees when it goes: its plug-in, the plug-in's
// window and its saved bar records (SECControlBarInfo).
// Menu-bar mode: the feature that gives the bar its behaviour, plugged into
// the frame by the caller.
SECWndPlugIn* SECFrameMakeMenuBarFeature(SECMenuBar* pMenuBar);
// A bitmap-menu plug-in draws the images of a tool bar manager's store.
void SECFrameGiveBmpMgr(SECWndPlugIn* pPlugIn, SECControlBarManager* pManager);
// An in-place border negotiation with an all-zero rectangle: the menu bar
// keeps showing through the hide that follows.
void SECFrameNoteBorderSpace(SECMenuBar* pMenuBar, LPCRECT lpRectBorder);
// Takes the Win32 menu away from a frame and loads its own copy of menu `nID`.
HMENU SECFrameTakeOwnMenu(CFrameWnd* pFrame, UINT nID);
// Deletes the menu bar and destroys the frame's own menu.
void SECFrameFreeMenuBar(SECMenuBar*& pMenuBar, HMENU& hMenuFrame);
void SECFrameFreeOwned(SECWndPlugIn* pPlugIn, CWnd* pPlugInWnd, CPtrList& listBarInfo);
