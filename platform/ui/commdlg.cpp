// Common dialogs answered by tests, by Qt's dialogs for a person, or
// cancelled in a run without display.
#include "platform/ui/commdlg.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <cstring>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/base/winstring.h"
#include "platform/sys/file.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/path.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/globalmem.h"
#include "platform/ui/modal.h"
#include "platform/ui/print.h"
#include "platform/ui/text1252.h"

namespace mirt_ui {
namespace {

thread_local DWORD t_error = 0;

using PersonAsk = std::function<void(plat::CommonDialogAnswer*)>;

// One answer: scripted, a person's, or cancel without a display.
plat::CommonDialogAnswer Ask(const std::string& kind, const std::string& caption, const PersonAsk& person) {
  plat::CommonDialogAnswer a;
  if (TakeCommonDialogAnswer(kind, caption, &a)) {
  } else if (plat::IsHeadless()) {
    ReportHeadless(kind, caption, "IDCANCEL");
  } else {
    person(&a);
  }
  RecordModal(kind, caption, a.ok ? IDOK : IDCANCEL);
  return a;
}

}  // namespace

// A person pressing Delete in Qt's own file view removes whole folders
// without a way back; the dialogs are read-only views of the disk.
QFileDialog::Options FileDialogOptions() { return QFileDialog::ReadOnly; }

namespace {

QString Q(const std::string& s) { return From1252(s.c_str()); }
QString Q(LPCSTR s) { return s ? From1252(s) : QString(); }

// "text\0pattern\0..." as Qt filters "text (pattern)".
QStringList QtFilters(LPCSTR filter) {
  QStringList out;
  if (!filter) return out;
  for (const char* p = filter; *p;) {
    std::string text = p;
    p += text.size() + 1;
    std::string pattern = p;
    p += pattern.size() + (pattern.empty() ? 0 : 1);
    std::string patterns = pattern;
    for (char& c : patterns)
      if (c == ';') c = ' ';
    out << Q(text) + " (" + Q(patterns) + ")";
    if (pattern.empty()) break;
  }
  return out;
}

std::string FileNameOf(const std::string& path) { return plat::FileNamePart(path); }

bool HasExtension(const std::string& path) { return FileNameOf(path).find('.') != std::string::npos; }

std::string Absolute(const std::string& p, LPCSTR initialDir) {
  std::string n = plat::NormalizeSeparators(p);
  if (!n.empty() && n[0] == '/') return n;
  std::string base =
      initialDir && *initialDir ? plat::NormalizeSeparators(initialDir) : plat::AbsolutePath(".");
  return plat::JoinPath(base, n);
}

bool FillFileResult(LPOPENFILENAME ofn, const std::vector<std::string>& paths) {
  std::string buf;
  WORD offset = 0, ext = 0;
  if (paths.size() > 1 && (ofn->Flags & OFN_ALLOWMULTISELECT)) {
    std::string dir = plat::DirectoryPart(paths[0]);
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    buf = dir;
    buf.push_back('\0');
    offset = static_cast<WORD>(buf.size());
    for (const std::string& p : paths) {
      buf += FileNameOf(p);
      buf.push_back('\0');
    }
  } else {
    buf = paths[0];
    std::string name = FileNameOf(buf);
    offset = static_cast<WORD>(buf.size() - name.size());
    size_t dot = name.rfind('.');
    ext = static_cast<WORD>(dot == std::string::npos ? buf.size() : offset + dot + 1);
  }
  buf.push_back('\0');
  if (!ofn->lpstrFile || buf.size() > ofn->nMaxFile) {
    if (ofn->lpstrFile && ofn->nMaxFile >= 2) {
      WORD need = static_cast<WORD>(std::min<size_t>(buf.size(), 0xFFFF));
      memcpy(ofn->lpstrFile, &need, sizeof need);
    }
    t_error = FNERR_BUFFERTOOSMALL;
    return false;
  }
  memcpy(ofn->lpstrFile, buf.data(), buf.size());
  ofn->nFileOffset = offset;
  ofn->nFileExtension = ext;
  if (ofn->lpstrFileTitle && ofn->nMaxFileTitle)
    lstrcpyn(ofn->lpstrFileTitle, FileNameOf(paths[0]).c_str(), static_cast<int>(ofn->nMaxFileTitle));
  std::string e = ext < buf.size() ? std::string(buf.c_str() + ext) : std::string();
  if (ofn->lpstrDefExt && lstrcmpi(e.c_str(), ofn->lpstrDefExt) != 0)
    ofn->Flags |= OFN_EXTENSIONDIFFERENT;
  else
    ofn->Flags &= ~OFN_EXTENSIONDIFFERENT;
  return true;
}

// The checks a file dialog makes before it accepts names; false sends
// the user back to the dialog.
bool Acceptable(LPOPENFILENAME ofn, bool save, const std::string& caption,
                const std::vector<std::string>& paths) {
  for (const std::string& p : paths) {
    bool exists = plat::FileExists(p);
    if (!save && (ofn->Flags & OFN_FILEMUSTEXIST) && !exists) {
      std::string text = FileNameOf(p) + "\nFile not found.\nPlease verify the correct file name was given.";
      MessageBox(ofn->hwndOwner, text.c_str(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
      return false;
    }
    if ((ofn->Flags & OFN_PATHMUSTEXIST) && !plat::DirectoryExists(plat::DirectoryPart(p))) {
      std::string text = p + "\nPath does not exist.\nPlease verify the correct path was given.";
      MessageBox(ofn->hwndOwner, text.c_str(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
      return false;
    }
    if (save && (ofn->Flags & OFN_OVERWRITEPROMPT) && exists) {
      std::string text = p + " already exists.\nDo you want to replace it?";
      if (MessageBox(ofn->hwndOwner, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return false;
    }
  }
  return true;
}

BOOL FileDialog(LPOPENFILENAME ofn, bool save) {
  t_error = 0;
  if (!ofn) return FALSE;
  std::string caption = ofn->lpstrTitle ? ofn->lpstrTitle : save ? "Save As" : "Open";
  std::string initial = plat::TextInBuffer(ofn->lpstrFile, ofn->nMaxFile);
  PersonAsk person = [&](plat::CommonDialogAnswer* a) {
    QFileDialog d(nullptr, Q(caption), Q(ofn->lpstrInitialDir));
    d.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(save                                  ? QFileDialog::AnyFile
                  : (ofn->Flags & OFN_ALLOWMULTISELECT) ? QFileDialog::ExistingFiles
                                                        : QFileDialog::ExistingFile);
    d.setOptions(FileDialogOptions() | QFileDialog::DontConfirmOverwrite);
    QStringList filters = QtFilters(ofn->lpstrFilter);
    if (!filters.isEmpty()) {
      d.setNameFilters(filters);
      int i = static_cast<int>(ofn->nFilterIndex) - 1;
      if (i >= 0 && i < filters.size()) d.selectNameFilter(filters[i]);
    }
    if (!initial.empty() && initial.find_first_of("*?") == std::string::npos) d.selectFile(Q(initial));
    if (!d.exec()) return;
    a->ok = true;
    for (const QString& f : d.selectedFiles()) a->values.push_back(To1252(f));
    a->number = static_cast<int>(filters.indexOf(d.selectedNameFilter())) + 1;
  };
  for (;;) {
    plat::CommonDialogAnswer a = Ask(save ? "save" : "open", caption, person);
    if (!a.ok || a.values.empty()) return FALSE;
    std::vector<std::string> paths;
    for (std::string p : a.values) {
      p = Absolute(p, ofn->lpstrInitialDir);
      if (ofn->lpstrDefExt && *ofn->lpstrDefExt && !HasExtension(p)) p += std::string(".") + ofn->lpstrDefExt;
      paths.push_back(p);
    }
    if (!Acceptable(ofn, save, caption, paths)) continue;
    if (a.number > 0) ofn->nFilterIndex = static_cast<DWORD>(a.number);
    return FillFileResult(ofn, paths) ? TRUE : FALSE;
  }
}

std::mutex g_pidlMutex;
std::set<std::string*>& Pidls() {
  static auto* s = new std::set<std::string*>;
  return *s;
}

HGLOBAL MakeDevNames(const std::string& output) {
  std::string driver = "mirt2", device = PrinterName();
  size_t size = sizeof(DEVNAMES) + driver.size() + device.size() + output.size() + 3;
  HGLOBAL h = GlobalAlloc(GHND, size);
  auto* dn = static_cast<DEVNAMES*>(GlobalLock(h));
  char* base = reinterpret_cast<char*>(dn);
  WORD at = sizeof(DEVNAMES);
  dn->wDriverOffset = at;
  memcpy(base + at, driver.c_str(), driver.size() + 1);
  at = static_cast<WORD>(at + driver.size() + 1);
  dn->wDeviceOffset = at;
  memcpy(base + at, device.c_str(), device.size() + 1);
  at = static_cast<WORD>(at + device.size() + 1);
  dn->wOutputOffset = at;
  memcpy(base + at, output.c_str(), output.size() + 1);
  dn->wDefault = 1;
  GlobalUnlock(h);
  return h;
}

std::string OutputOf(HGLOBAL devNames) {
  if (!devNames || !GlobalSize(devNames)) return std::string();
  auto* dn = static_cast<DEVNAMES*>(GlobalLock(devNames));
  std::string out = reinterpret_cast<char*>(dn) + dn->wOutputOffset;
  GlobalUnlock(devNames);
  return out;
}

}  // namespace
}  // namespace mirt_ui

using namespace mirt_ui;

DWORD CommDlgExtendedError() { return t_error; }
BOOL GetOpenFileName(LPOPENFILENAME ofn) { return FileDialog(ofn, false); }
BOOL GetSaveFileName(LPOPENFILENAME ofn) { return FileDialog(ofn, true); }

short GetFileTitle(LPCSTR file, LPSTR buf, WORD size) {
  if (!file) return -1;
  std::string name = plat::FileNamePart(file);
  if (!buf || size < name.size() + 1) return static_cast<short>(name.size() + 1);
  lstrcpyn(buf, name.c_str(), size);
  return 0;
}

LPITEMIDLIST SHBrowseForFolder(LPBROWSEINFO bi) {
  if (!bi) return nullptr;
  std::string caption = bi->lpszTitle ? bi->lpszTitle : "Browse for Folder";
  plat::CommonDialogAnswer a = Ask("folder", caption, [&](plat::CommonDialogAnswer* out) {
    QString dir = QFileDialog::getExistingDirectory(nullptr, Q(caption), QString(),
                                                    FileDialogOptions() | QFileDialog::ShowDirsOnly);
    if (dir.isEmpty()) return;
    out->ok = true;
    out->values.push_back(To1252(dir));
  });
  if (!a.ok || a.values.empty()) return nullptr;
  auto* path = new std::string(plat::NormalizeSeparators(a.values[0]));
  if (bi->pszDisplayName) lstrcpyn(bi->pszDisplayName, plat::FileNamePart(*path).c_str(), MAX_PATH);
  std::lock_guard<std::mutex> lock(g_pidlMutex);
  Pidls().insert(path);
  return reinterpret_cast<LPITEMIDLIST>(path);
}

BOOL SHGetPathFromIDList(LPCITEMIDLIST pidl, LPSTR out) {
  std::lock_guard<std::mutex> lock(g_pidlMutex);
  auto* p = reinterpret_cast<std::string*>(const_cast<struct _ITEMIDLIST*>(pidl));
  if (!out || !Pidls().count(p)) return FALSE;
  lstrcpyn(out, p->c_str(), MAX_PATH);
  return TRUE;
}

void CoTaskMemFree(void* pv) {
  if (!pv) return;
  std::lock_guard<std::mutex> lock(g_pidlMutex);
  auto* p = static_cast<std::string*>(pv);
  if (Pidls().erase(p))
    delete p;
  else
    free(pv);
}

BOOL ChooseColor(LPCHOOSECOLOR cc) {
  if (!cc) return FALSE;
  plat::CommonDialogAnswer a = Ask("color", "Color", [&](plat::CommonDialogAnswer* out) {
    COLORREF c = cc->rgbResult;
    QColor q = QColorDialog::getColor(QColor(GetRValue(c), GetGValue(c), GetBValue(c)));
    if (!q.isValid()) return;
    out->ok = true;
    out->color = RGB(q.red(), q.green(), q.blue());
  });
  if (!a.ok) return FALSE;
  cc->rgbResult = a.color;
  return TRUE;
}

BOOL ChooseFont(LPCHOOSEFONT cf) {
  if (!cf || !cf->lpLogFont) return FALSE;
  plat::CommonDialogAnswer a = Ask("font", "Font", [&](plat::CommonDialogAnswer* out) {
    bool ok = false;
    QFont initial(Q(cf->lpLogFont->lfFaceName));
    if (cf->iPointSize > 0) initial.setPointSize(cf->iPointSize / 10);
    QFont f = QFontDialog::getFont(&ok, initial);
    if (!ok) return;
    out->ok = true;
    out->values.push_back(To1252(f.family()));
    out->number = f.pointSize();
  });
  if (!a.ok) return FALSE;
  int points = a.number > 0 ? a.number : 10;
  if ((cf->Flags & CF_LIMITSIZE) && (points < cf->nSizeMin || points > cf->nSizeMax)) return FALSE;
  if (!a.values.empty()) lstrcpyn(cf->lpLogFont->lfFaceName, a.values[0].c_str(), LF_FACESIZE);
  int dpi = cf->hDC ? GetDeviceCaps(cf->hDC, LOGPIXELSY) : 96;
  cf->lpLogFont->lfHeight = -MulDiv(points, dpi, 72);
  cf->iPointSize = points * 10;
  if (cf->Flags & CF_EFFECTS) cf->rgbColors = a.color;
  return TRUE;
}

BOOL PrintDlg(LPPRINTDLG pd) {
  if (!pd) return FALSE;
  std::string output;
  if (!(pd->Flags & PD_RETURNDEFAULT)) {
    plat::CommonDialogAnswer a = Ask("print", "Print", [&](plat::CommonDialogAnswer* out) {
      QString f = QFileDialog::getSaveFileName(nullptr, "Print to PDF file", QString(), "PDF files (*.pdf)",
                                               nullptr, FileDialogOptions());
      if (f.isEmpty()) return;
      out->ok = true;
      out->values.push_back(To1252(f));
    });
    if (!a.ok) return FALSE;
    if (!a.values.empty()) output = a.values[0];
    pd->nCopies = static_cast<WORD>(a.number > 0 ? a.number : 1);
  } else if (pd->hDevNames || pd->hDevMode) {
    return FALSE;  // must come without settings
  }
  if (output.empty()) output = OutputOf(pd->hDevNames);
  if (pd->hDevNames) GlobalFree(pd->hDevNames);
  pd->hDevNames = MakeDevNames(output);
  if (pd->Flags & (PD_RETURNDC | PD_RETURNIC)) {
    PrinterSetup setup;
    setup.output = output;
    pd->hDC = CreatePrinterDC(setup);
  }
  return TRUE;
}

BOOL PageSetupDlg(LPPAGESETUPDLG psd) {
  if (!psd) return FALSE;
  if (!(psd->Flags & PSD_RETURNDEFAULT)) {
    plat::CommonDialogAnswer a =
        Ask("pagesetup", "Page Setup", [&](plat::CommonDialogAnswer* out) { out->ok = true; });
    if (!a.ok) return FALSE;
  }
  bool metric = psd->Flags & PSD_INHUNDREDTHSOFMILLIMETERS;
  psd->ptPaperSize = metric ? POINT{21000, 29700} : POINT{8268, 11693};
  if (!(psd->Flags & PSD_MARGINS)) {
    LONG m = metric ? 2500 : 1000;
    psd->rtMargin = RECT{m, m, m, m};
  }
  if (!psd->hDevNames) psd->hDevNames = MakeDevNames(std::string());
  return TRUE;
}
