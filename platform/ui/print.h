// Printing: printer device contexts whose pages become the pages of a PDF
// file, documents and pages (StartDoc ... EndDoc), the printer's
// capabilities for GetDeviceCaps.
#pragma once

#include <string>

#include "platform/ui/gdi.h"

#ifndef DT_RASPRINTER
#define DT_RASPRINTER 2
#endif
#define SP_ERROR (-1)
#define SP_APPABORT (-2)
#define SP_USERABORT (-3)
#define SP_OUTOFDISK (-4)

typedef struct _DOCINFOA {
  int cbSize;
  LPCSTR lpszDocName;
  LPCSTR lpszOutput;
  LPCSTR lpszDatatype;
  DWORD fwType;
} DOCINFO, DOCINFOA, *LPDOCINFO;
typedef BOOL(CALLBACK* ABORTPROC)(HDC, int);

int StartDoc(HDC hdc, const DOCINFO* lpdi);
int EndDoc(HDC hdc);
int StartPage(HDC hdc);
int EndPage(HDC hdc);
int AbortDoc(HDC hdc);
int SetAbortProc(HDC hdc, ABORTPROC proc);

namespace mirt_ui {
// The printer: a PDF file. Paper in tenths of a millimetre (A4 when 0),
// `dpi` dots per inch, a quarter inch of unprintable margin on each side.
struct PrinterSetup {
  std::string output;  // the PDF file ("" : "<document name>.pdf" in the temporary folder)
  int paperWidth = 2100, paperHeight = 2970;
  int dpi = 300;
  bool landscape = false;
};
HDC CreatePrinterDC(const PrinterSetup& setup);
// The name the layer gives its printer.
const char* PrinterName();
}  // namespace mirt_ui
