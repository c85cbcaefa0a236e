#include "platform/ui/print.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>

#include "platform/sys/file.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdi_obj.h"

namespace mirt_ui {
namespace {

struct Job {
  PrinterSetup setup;
  std::string path;  // of the open document
  std::unique_ptr<QPdfWriter> writer;
  std::unique_ptr<QPainter> painter;
  HBITMAP page = nullptr;
  HGDIOBJ oldBitmap = nullptr;
  int pages = 0;
  ABORTPROC abort = nullptr;
};

std::mutex g_printMutex;
std::map<HDC, std::shared_ptr<Job>>& Jobs() {
  static auto* m = new std::map<HDC, std::shared_ptr<Job>>;
  return *m;
}

std::shared_ptr<Job> JobOf(HDC h) {
  Dc* dc = DcFind(h);
  if (!dc || !dc->printerDpi) return nullptr;
  std::lock_guard<std::mutex> lock(g_printMutex);
  auto it = Jobs().find(h);
  return it == Jobs().end() ? nullptr : it->second;
}

// Sizes in device pixels.
int Pixels(int tenthsMm, int dpi) { return static_cast<int>(static_cast<long long>(tenthsMm) * dpi / 254); }
int PaperW(const PrinterSetup& s) { return s.landscape ? s.paperHeight : s.paperWidth; }
int PaperH(const PrinterSetup& s) { return s.landscape ? s.paperWidth : s.paperHeight; }
int Offset(const PrinterSetup& s) { return s.dpi / 4; }

std::string DefaultOutput(const char* docName) {
  char dir[MAX_PATH];
  GetTempPath(MAX_PATH, dir);
  std::string name = docName && *docName ? docName : "document";
  for (char& c : name)
    if (c == '/' || c == '\\' || c == ':') c = '_';
  return std::string(dir) + "/" + name + ".pdf";
}

void EndPageImage(Job& j, HDC h) {
  if (!j.page) return;
  SelectObject(h, j.oldBitmap);
  DeleteObject(j.page);
  j.page = nullptr;
}

}  // namespace

const char* PrinterName() { return "PDF"; }

HDC CreatePrinterDC(const PrinterSetup& setup) {
  auto* dc = new Dc;
  dc->kind = Dc::kMemory;
  dc->printerDpi = setup.dpi > 0 ? setup.dpi : 300;
  PrinterSetup s = setup;
  s.dpi = dc->printerDpi;
  if (s.paperWidth <= 0 || s.paperHeight <= 0) s.paperWidth = 2100, s.paperHeight = 2970;
  dc->size = QSize(Pixels(PaperW(s), s.dpi) - 2 * Offset(s), Pixels(PaperH(s), s.dpi) - 2 * Offset(s));
  HDC h = DcAdd(dc);
  auto job = std::make_shared<Job>();
  job->setup = s;
  std::lock_guard<std::mutex> lock(g_printMutex);
  Jobs()[h] = job;
  return h;
}

int PrinterDeviceCaps(Dc& dc, int index) {
  int dpi = dc.printerDpi;
  switch (index) {
    case DRIVERVERSION:
      return 0x400;
    case TECHNOLOGY:
      return DT_RASPRINTER;
    case HORZRES:
      return dc.size.width();
    case VERTRES:
      return dc.size.height();
    case HORZSIZE:
      return dc.size.width() * 254 / dpi / 10;
    case VERTSIZE:
      return dc.size.height() * 254 / dpi / 10;
    case BITSPIXEL:
      return 32;
    case PLANES:
      return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS:
      return -1;
    case RASTERCAPS:
      return RC_BITBLT | RC_STRETCHBLT;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return dpi;
    case PHYSICALWIDTH:
      return dc.size.width() + dpi / 2;
    case PHYSICALHEIGHT:
      return dc.size.height() + dpi / 2;
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY:
      return dpi / 4;
  }
  return 0;
}

}  // namespace mirt_ui

using namespace mirt_ui;

int StartDoc(HDC h, const DOCINFO* di) {
  auto j = JobOf(h);
  if (!j || j->writer) return SP_ERROR;
  j->path = di && di->lpszOutput && *di->lpszOutput ? di->lpszOutput
            : !j->setup.output.empty()              ? j->setup.output
                                                    : DefaultOutput(di ? di->lpszDocName : nullptr);
  j->writer = std::make_unique<QPdfWriter>(QString::fromLocal8Bit(j->path.c_str()));
  j->writer->setResolution(j->setup.dpi);
  j->writer->setPageSize(
      QPageSize(QSizeF(PaperW(j->setup) / 10.0, PaperH(j->setup) / 10.0), QPageSize::Millimeter));
  j->writer->setPageMargins(QMarginsF(0, 0, 0, 0));
  if (di && di->lpszDocName) j->writer->setTitle(QString::fromLocal8Bit(di->lpszDocName));
  j->pages = 0;
  static int jobId = 0;
  return ++jobId;
}

int StartPage(HDC h) {
  auto j = JobOf(h);
  Dc* dc = DcFind(h);
  if (!j || !j->writer || !dc || j->page) return SP_ERROR;
  j->page = CreateBitmap(dc->size.width(), dc->size.height(), 1, 32, nullptr);
  j->oldBitmap = SelectObject(h, j->page);
  RECT all{0, 0, dc->size.width(), dc->size.height()};
  FillRect(h, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  return 1;
}

int EndPage(HDC h) {
  auto j = JobOf(h);
  if (!j || !j->writer || !j->page) return SP_ERROR;
  if (j->abort && !j->abort(h, 0)) {
    AbortDoc(h);
    return SP_APPABORT;
  }
  auto* bmp = GdiAs<BitmapObj>(j->page, OBJ_BITMAP);
  FlushSurface(&bmp->image);
  if (!j->painter) {
    j->painter = std::make_unique<QPainter>();
    if (!j->painter->begin(j->writer.get())) {
      j->painter.reset();
      return SP_OUTOFDISK;
    }
  } else {
    j->writer->newPage();
  }
  int off = Offset(j->setup);
  j->painter->drawImage(QPoint(off, off), bmp->image);
  ++j->pages;
  EndPageImage(*j, h);
  return 1;
}

namespace {
// Ends the document: the last page image goes, the file is finished.
std::shared_ptr<Job> CloseDocument(HDC h) {
  auto j = JobOf(h);
  if (!j || !j->writer) return nullptr;
  EndPageImage(*j, h);
  if (j->painter) j->painter->end();
  j->painter.reset();
  j->writer.reset();
  return j;
}
}  // namespace

int EndDoc(HDC h) { return CloseDocument(h) ? 1 : SP_ERROR; }

int AbortDoc(HDC h) {
  auto j = CloseDocument(h);
  if (!j) return SP_ERROR;
  std::remove(j->path.c_str());
  return 1;
}

int SetAbortProc(HDC h, ABORTPROC proc) {
  auto j = JobOf(h);
  if (!j) return SP_ERROR;
  j->abort = proc;
  return 1;
}

int CDC::StartDoc(LPCSTR name) {
  DOCINFO di{sizeof di, name, nullptr, nullptr, 0};
  return ::StartDoc(m_hDC, &di);
}
int CDC::StartDoc(const DOCINFO* di) { return ::StartDoc(m_hDC, di); }
int CDC::StartPage() { return ::StartPage(m_hDC); }
int CDC::EndPage() { return ::EndPage(m_hDC); }
int CDC::EndDoc() { return ::EndDoc(m_hDC); }
int CDC::AbortDoc() { return ::AbortDoc(m_hDC); }
