// Readers of the tool bar resources: the RT_TOOLBAR record (image size and
// command ids) and the colour-mapping bitmap loader, which replaces the four
// standard greys of a palette bitmap's colour table by the system colours.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "platform/afx/afx.h"
#include "platform/ui/gdiobj.h"

// The resource type of tool bar records.
#define SEC_RT_TOOLBAR MAKEINTRESOURCE(241)

// A tool bar resource: u16 version, u16 image width, u16 image height, u16
// count, then count u16 command ids (0 = separator).
struct SECToolBarResource {
  int nVersion = 0;
  CSize szImage{0, 0};
  std::vector<UINT> ids;  // separators included
};

// Parses a tool bar record of `size` bytes; FALSE when it is shorter than
// its header or its id list.
BOOL SECParseToolBarResource(const BYTE* data, size_t size, SECToolBarResource* out);
// Finds and parses the tool bar resource `name` of the resource module.
BOOL SECLoadToolBarResource(LPCSTR name, SECToolBarResource* out);

// Where the parts of a packed DIB lie within its resource.
struct SECDibLayout {
  BITMAPINFOHEADER header{};
  int nTableEntries = 0;    // colour-table entries present (biClrUsed honoured)
  BOOL bMapColors = FALSE;  // a palette bitmap whose table is mapped
  size_t nTableOffset = 0;  // the table follows the header's biSize bytes
  size_t nBitsOffset = 0;
  size_t nBitsSize = 0;
};

// Checks a packed DIB (BITMAPINFOHEADER or larger, BI_RGB, 1 to 32 bits per
// pixel) against its length; FALSE when any part lies outside it.
BOOL SECParseDib(const BYTE* data, size_t size, SECDibLayout* out);

// Gives the current colour of a system colour index.
using SECSysColorSource = std::function<COLORREF(int nIndex)>;

// The header and colour table of a parsed DIB, with every table entry that
// is black, dark grey, light grey or white replaced by the system colour of
// its row (COLOR_BTNTEXT, _BTNSHADOW, _BTNFACE, _BTNHIGHLIGHT).
std::vector<BYTE> SECMapDibColors(const BYTE* data, const SECDibLayout& layout,
                                  const SECSysColorSource& colors);

// Makes a screen-compatible bitmap from a packed DIB with its greys mapped.
BOOL SECLoadSysColorBitmap(CBitmap& bitmap, const BYTE* data, size_t size);
// The same for the bitmap resource `name` of the resource module.
BOOL SECLoadSysColorBitmap(CBitmap& bitmap, LPCSTR name);
