// Private: the menu objects behind HMENU handles.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/menu.h"

namespace mirt_ui {

struct MenuItem {
  UINT type = MFT_STRING;  // MFT_* bits
  UINT state = 0;          // MFS_* bits
  UINT id = 0;
  HMENU sub = nullptr;
  std::string text;
  ULONG_PTR data = 0;
  HBITMAP bitmap = nullptr;
};

struct MenuObj {
  bool popup = false;
  std::vector<MenuItem> items;
};

MenuObj* FindMenu(HMENU h);  // null for a bad handle
// The item by position or by command (searching sub-menus); the menu that
// holds it goes to *owner.
MenuItem* FindItem(HMENU h, UINT item, bool byPosition, HMENU* owner = nullptr, int* index = nullptr);
// The text shown for an item: "&x" marks and the "\t" accelerator part.
std::string MenuLabel(const std::string& text);
std::string MenuAccelText(const std::string& text);

// Menu bars: the default window procedure offers messages here first,
// and paints the bar after the frame.
bool MenuBarMessage(HWND h, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
void PaintMenuBar(HWND h);

// A menu bar's popup: opened from the keyboard it highlights its first
// item; Left or Right at its first level end it with step -1 or +1, Esc
// there ends it with escaped set. SetBarTrack applies to the next
// TrackPopupMenuEx only.
struct BarTrack {
  bool keyboard = false;
  int step = 0;
  bool escaped = false;
};
void SetBarTrack(BarTrack* track);
// The screen rectangle of a menu bar's item; false when h shows no such menu.
bool MenuBarItemRect(HWND h, HMENU menu, UINT item, RECT* r);
// True once after a press and release of Alt with nothing in between.
bool TakeLoneAlt();
// The menu state for the test hook: "menu <bar item> <hot item of each open level>".
std::string MenuStateLine();
std::string MenuPopupHotItems();  // " <hot>" for each open popup level

// The item texts of a menu joined by "|", for records.
std::string MenuSummary(HMENU h);

}  // namespace mirt_ui
