// The document of a source file: one EditBuffer, its language chosen by
// the file's extension, listed among the open documents while it lives.
#pragma once

#include <vector>

#include "editor/editbuffer.h"
#include "platform/afx/afx.h"

class CMirt2Doc : public CDocument {
  DECLARE_DYNCREATE(CMirt2Doc)
 public:
  CMirt2Doc();
  ~CMirt2Doc() override;

  void Serialize(CArchive& ar) override;
  BOOL OnNewDocument() override;
  BOOL OnOpenDocument(LPCSTR path) override;
  BOOL OnSaveDocument(LPCSTR path) override;
  void OnCloseDocument() override;
  BOOL SaveModified() override;

  // Loads a file without a window (also for the disassembly's hidden
  // documents); false when the file cannot be read.
  BOOL LoadSourceFile(LPCSTR path);
  // The text of line n with its line end (the last line past the end).
  const char* GetLineText(int n);
  EditBuffer& GetEditBuffer() { return m_editBuffer; }

  // The language section for a path ("" when the extension has none).
  static CString SectionForPath(const CString& path);
  // The source documents open in the program, oldest first.
  static const std::vector<CMirt2Doc*>& OpenDocuments();

  EditBuffer m_editBuffer;

 private:
  void AddToOpenList();
  void RemoveFromOpenList();
};
