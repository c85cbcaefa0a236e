#include "editor/view/cmirt2doc.h"

#include <algorithm>
#include <cstdio>

#include "platform/sys/path.h"

IMPLEMENT_DYNCREATE(CMirt2Doc, CDocument)

namespace {
std::vector<CMirt2Doc*>& OpenList() {
  static std::vector<CMirt2Doc*> list;
  return list;
}

// Language sections by the end of the path, compared without case.
struct LanguageByExtension {
  const char* ending;
  const char* section;
};
constexpr LanguageByExtension kLanguages[] = {
    {".c", "Editor\\C Files"},     {".h", "Editor\\C Files"},     {".cpp", "Editor\\C Files"},
    {".ins", "Editor\\INS Files"}, {".pas", "Editor\\PAS Files"}, {".asm", "Editor\\ASM Files"},
    {".s", "Editor\\S Files"},
};
constexpr const char* kNewDocumentSection = "Editor\\Default Files";

void MarkTitle(CDocument* doc) {
  if (doc != nullptr) doc->SetTitle(doc->GetTitle() + " *");
}
}  // namespace

CMirt2Doc::CMirt2Doc() {
  m_editBuffer.SetDocument(this);
  EditBuffer::s_pfnMarkTitle = MarkTitle;
}

CMirt2Doc::~CMirt2Doc() { RemoveFromOpenList(); }

const std::vector<CMirt2Doc*>& CMirt2Doc::OpenDocuments() { return OpenList(); }

void CMirt2Doc::AddToOpenList() {
  auto& list = OpenList();
  if (std::find(list.begin(), list.end(), this) == list.end()) list.push_back(this);
}

void CMirt2Doc::RemoveFromOpenList() {
  auto& list = OpenList();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

CString CMirt2Doc::SectionForPath(const CString& path) {
  CString lower = path;
  lower.MakeLower();
  for (const auto& language : kLanguages) {
    CString ending(language.ending);
    if (lower.GetLength() >= ending.GetLength() && lower.Right(ending.GetLength()) == ending) {
      return CString(language.section);
    }
  }
  return CString();
}

void CMirt2Doc::Serialize(CArchive&) {}

BOOL CMirt2Doc::OnNewDocument() {
  if (!CDocument::OnNewDocument()) return FALSE;
  m_editBuffer.SetSection(kNewDocumentSection);
  m_editBuffer.LoadLanguageSettings();
  AddToOpenList();
  return TRUE;
}

BOOL CMirt2Doc::OnOpenDocument(LPCSTR path) {
  BOOL loaded = LoadSourceFile(path);
  AddToOpenList();
  return loaded;
}

BOOL CMirt2Doc::LoadSourceFile(LPCSTR pathIn) {
  CString path(pathIn);
  // "c:file" means the file in the drive's root.
  if (path.GetLength() >= 2 && path[1] == ':' &&
      (path.GetLength() == 2 || (path[2] != '\\' && path[2] != '/'))) {
    path = path.Left(2) + "\\" + path.Mid(2);
  }
  std::string native = plat::NormalizeSeparators(static_cast<LPCSTR>(path));
  std::FILE* probe = std::fopen(native.c_str(), "r");
  if (probe == nullptr) return FALSE;
  std::fclose(probe);
  CString title(plat::FileNamePart(native).c_str());
  SetTitle(title);
  m_strPathName = path;
  CString section = SectionForPath(path);
  if (!section.IsEmpty()) m_editBuffer.SetSection(section);
  m_editBuffer.LoadLanguageSettings();
  return m_editBuffer.LoadFile(path) == 0;
}

const char* CMirt2Doc::GetLineText(int n) {
  EditLine* line = m_editBuffer.GetLine(n);
  return line != nullptr && line->text != nullptr ? line->text : "";
}

BOOL CMirt2Doc::OnSaveDocument(LPCSTR path) {
  if (m_editBuffer.SaveFile(path) != 0) return FALSE;
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CMirt2Doc::OnCloseDocument() {
  RemoveFromOpenList();
  CDocument::OnCloseDocument();
}

BOOL CMirt2Doc::SaveModified() {
  SetModifiedFlag(m_editBuffer.IsModified());
  return CDocument::SaveModified();
}
