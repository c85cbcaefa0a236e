// Win32 scalar types, handle types, small structs and packing macros,
// with the sizes they have on Windows.
#pragma once

#include <cstddef>
#include <cstdint>

#define FAR
#define NEAR
#define WINAPI
#define CALLBACK
#define APIENTRY
#define PASCAL
#define CDECL
#define CONST const
#define VOID void

#ifndef MAX_PATH
#define MAX_PATH 260
#endif

typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef unsigned int UINT;
typedef int INT;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int16_t SHORT;
typedef uint16_t USHORT;
typedef unsigned char UCHAR;
typedef int BOOL;
typedef char CHAR;
typedef char TCHAR;
typedef float FLOAT;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef uint64_t DWORDLONG;

typedef BOOL* LPBOOL;
typedef BOOL* PBOOL;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef char* LPTSTR;
typedef const char* LPCTSTR;
typedef char* PSTR;
typedef const char* PCSTR;
typedef char* PTSTR;
typedef const char* PCTSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef void* PVOID;
typedef BYTE* LPBYTE;
typedef BYTE* PBYTE;
typedef DWORD* LPDWORD;
typedef DWORD* PDWORD;
typedef WORD* LPWORD;
typedef WORD* PWORD;
typedef LONG* LPLONG;
typedef LONG* PLONG;
typedef INT* LPINT;
typedef INT* PINT;
typedef UINT* LPUINT;
typedef UINT* PUINT;

typedef uintptr_t DWORD_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t INT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t SIZE_T;
typedef intptr_t SSIZE_T;
typedef DWORD_PTR* PDWORD_PTR;

typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef LONG HRESULT;
typedef WORD ATOM;
typedef DWORD COLORREF;
typedef DWORD* LPCOLORREF;
typedef WORD LANGID;
typedef DWORD LCID;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#ifndef NULL
#define NULL nullptr
#endif

#define _T(x) x
#define TEXT(x) x

// Handles: one distinct pointer type each, so that overloads on them work.
typedef void* HANDLE;
typedef HANDLE* PHANDLE;
typedef HANDLE* LPHANDLE;
#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

#define MIRT_DECLARE_HANDLE(name) \
  struct name##__ {               \
    int unused;                   \
  };                              \
  typedef struct name##__* name

MIRT_DECLARE_HANDLE(HWND);
MIRT_DECLARE_HANDLE(HINSTANCE);
MIRT_DECLARE_HANDLE(HKEY);
MIRT_DECLARE_HANDLE(HMENU);
MIRT_DECLARE_HANDLE(HICON);
MIRT_DECLARE_HANDLE(HDROP);
MIRT_DECLARE_HANDLE(HBRUSH);
MIRT_DECLARE_HANDLE(HPEN);
MIRT_DECLARE_HANDLE(HFONT);
MIRT_DECLARE_HANDLE(HBITMAP);
MIRT_DECLARE_HANDLE(HDC);
MIRT_DECLARE_HANDLE(HRGN);
MIRT_DECLARE_HANDLE(HACCEL);
MIRT_DECLARE_HANDLE(HRSRC);
MIRT_DECLARE_HANDLE(HPALETTE);
MIRT_DECLARE_HANDLE(HIMAGELIST);
MIRT_DECLARE_HANDLE(HTREEITEM);
MIRT_DECLARE_HANDLE(HDWP);
MIRT_DECLARE_HANDLE(HHOOK);
MIRT_DECLARE_HANDLE(HMONITOR);
typedef HINSTANCE HMODULE;
typedef HICON HCURSOR;
typedef void* HGDIOBJ;
typedef HANDLE HGLOBAL;
typedef HANDLE HLOCAL;
typedef HKEY* PHKEY;
typedef int HFILE;
#define HFILE_ERROR ((HFILE)-1)

// Packing and unpacking of words, longs and colours.
#define MAKEWORD(a, b) ((WORD)(((BYTE)((DWORD_PTR)(a)&0xff)) | ((WORD)((BYTE)((DWORD_PTR)(b)&0xff))) << 8))
#define MAKELONG(a, b) \
  ((LONG)(((WORD)((DWORD_PTR)(a)&0xffff)) | ((DWORD)((WORD)((DWORD_PTR)(b)&0xffff))) << 16))
#define LOWORD(l) ((WORD)((DWORD_PTR)(l)&0xffff))
#define HIWORD(l) ((WORD)(((DWORD_PTR)(l) >> 16) & 0xffff))
#define LOBYTE(w) ((BYTE)((DWORD_PTR)(w)&0xff))
#define HIBYTE(w) ((BYTE)(((DWORD_PTR)(w) >> 8) & 0xff))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))
#define MAKELRESULT(l, h) ((LRESULT)(DWORD)MAKELONG(l, h))
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))

#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) (LOBYTE(rgb))
#define GetGValue(rgb) (LOBYTE(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) (LOBYTE((rgb) >> 16))

typedef struct tagRECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
} RECT, *PRECT, *LPRECT;
typedef const RECT* LPCRECT;

typedef struct tagPOINT {
  LONG x;
  LONG y;
} POINT, *PPOINT, *LPPOINT;

typedef struct tagSIZE {
  LONG cx;
  LONG cy;
} SIZE, *PSIZE, *LPSIZE;

typedef struct tagPOINTS {
  SHORT x;
  SHORT y;
} POINTS, *PPOINTS, *LPPOINTS;

// A window's placement: shown state, minimised and maximised positions and
// its normal rectangle (44 bytes, as saved layouts store it).
typedef struct tagWINDOWPLACEMENT {
  UINT length;
  UINT flags;
  UINT showCmd;
  POINT ptMinPosition;
  POINT ptMaxPosition;
  RECT rcNormalPosition;
} WINDOWPLACEMENT, *LPWINDOWPLACEMENT;

typedef struct _FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
} FILETIME, *PFILETIME, *LPFILETIME;

typedef struct _SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
} SYSTEMTIME, *PSYSTEMTIME, *LPSYSTEMTIME;

inline POINTS MAKEPOINTS(LPARAM l) {
  POINTS p;
  p.x = (SHORT)LOWORD(l);
  p.y = (SHORT)HIWORD(l);
  return p;
}
