// Resources: compiled resource scripts embedded per module, found by
// module handle, type and name; strings, menus, accelerators, bitmaps,
// icons, cursors, dialog templates and raw data.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/wintypes.h"

HRSRC FindResource(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
LPVOID LockResource(HGLOBAL hResData);
DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);
BOOL FreeResource(HGLOBAL hResData);

int LoadString(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax);
HACCEL LoadAccelerators(HINSTANCE hInstance, LPCSTR lpTableName);
HACCEL CreateAcceleratorTable(LPACCEL paccel, int cAccel);
BOOL DestroyAcceleratorTable(HACCEL hAccel);
int CopyAcceleratorTable(HACCEL hAccelSrc, LPACCEL lpAccelDst, int cAccelEntries);
int TranslateAccelerator(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg);
HBITMAP LoadBitmap(HINSTANCE hInstance, LPCSTR lpBitmapName);
HANDLE LoadImage(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad);
HICON LoadIcon(HINSTANCE hInstance, LPCSTR lpIconName);
HCURSOR LoadCursor(HINSTANCE hInstance, LPCSTR lpCursorName);
// A toolbar-style bitmap with its greys mapped to the system colours.
HBITMAP CreateMappedBitmap(HINSTANCE hInstance, INT_PTR idBitmap, UINT wFlags, void* lpColorMap,
                           int iNumMaps);

// The module of the program (hModule NULL) and the resource module used
// by calls that take none (CString::LoadString and friends).
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);

// Menu templates, parsed; the menu objects are built from this tree.
#define MF_GRAYED 0x0001L
#define MF_DISABLED 0x0002L
#define MF_BITMAP 0x0004L
#define MF_CHECKED 0x0008L
#define MF_POPUP 0x0010L
#define MF_MENUBARBREAK 0x0020L
#define MF_MENUBREAK 0x0040L
#define MF_END 0x0080L
#define MF_OWNERDRAW 0x0100L
#define MF_SEPARATOR 0x0800L
#define MF_HELP 0x4000L
struct MenuTemplateItem {
  UINT flags = 0;  // MF_* (MF_END removed)
  UINT id = 0;
  std::string text;
  std::vector<MenuTemplateItem> items;  // of a popup
};
bool LoadMenuTemplate(HINSTANCE hInstance, LPCSTR name, std::vector<MenuTemplateItem>* out);
bool ParseMenuTemplate(const void* data, size_t size, std::vector<MenuTemplateItem>* out);

// Dialog templates (DIALOG and DIALOGEX), parsed.
struct DialogItemTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;
  std::string className;  // predefined classes by name: "BUTTON", "EDIT", ...
  std::string text;
  int textOrdinal = -1;  // a resource id instead of a text (icons, bitmaps)
  std::vector<unsigned char> creationData;
};
struct DialogTemplate {
  bool extended = false;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  std::string menu;
  int menuOrdinal = -1;
  std::string className;
  std::string caption;
  WORD pointSize = 0;
  WORD weight = 0;
  BYTE italic = 0;
  std::string faceName;
  std::vector<DialogItemTemplate> items;
};
bool LoadDialogTemplate(HINSTANCE hInstance, LPCSTR name, DialogTemplate* out);
bool ParseDialogTemplate(const void* data, size_t size, DialogTemplate* out);

namespace mirt_ui {
// Registers the compiled resources (a .res image) of the module holding
// `anchor`; generated code of each module calls it at load time.
void RegisterModuleResources(const void* anchor, const unsigned char* res, size_t size);
void UnregisterModuleResources(const void* anchor);
// The handle of the module that holds an address.
HINSTANCE ModuleHandleOf(const void* address);
}  // namespace mirt_ui
