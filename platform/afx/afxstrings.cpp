#include "platform/afx/afxstrings.h"

#include "platform/afx/afxres.h"

namespace {
struct BuiltIn {
  UINT id;
  LPCSTR text;
};
const BuiltIn kTexts[] = {
    {AFX_IDS_IDLEMESSAGE, "Ready"},
    {AFX_IDS_HELPMODEMESSAGE, "Select an object on which to get Help"},
    {AFX_IDS_UNTITLED, "Untitled"},
    {AFX_IDS_HIDE, "&Hide"},
    {AFX_IDS_ALLFILTER, "All Files (*.*)"},
    {AFX_IDS_OPENFILE, "Open"},
    {AFX_IDS_SAVEFILE, "Save As"},
    {AFX_IDS_ONEPAGE, "&One Page"},
    {AFX_IDS_TWOPAGE, "&Two Page"},
    {AFX_IDS_PREVIEWPAGEDESC, "Page %u\nPages %u-%u\n"},
    {AFX_IDS_PRINTPAGENUM, "Page %u"},
    {AFX_IDP_ASK_TO_SAVE, "Save changes to %1?"},
    {AFX_IDP_FAILED_TO_OPEN_DOC, "Failed to open document."},
    {AFX_IDP_FAILED_TO_SAVE_DOC, "Failed to save document."},
    {AFX_IDP_FAILED_TO_CREATE_DOC, "Failed to create empty document."},
    {AFX_IDP_INVALID_FILENAME, "Invalid filename."},
    {0xE700 /* ID_INDICATOR_EXT */, "EXT"},
    {0xE701 /* ID_INDICATOR_CAPS */, "CAP"},
    {0xE702 /* ID_INDICATOR_NUM */, "NUM"},
    {0xE703 /* ID_INDICATOR_SCRL */, "SCRL"},
    {0xE704 /* ID_INDICATOR_OVR */, "OVR"},
    {0xE705 /* ID_INDICATOR_REC */, "REC"},
};
}  // namespace

namespace afx {
CString FrameworkString(UINT nID) {
  CString s;
  if (s.LoadString(nID)) return s;
  for (const BuiltIn& b : kTexts)
    if (b.id == nID) return b.text;
  return CString();
}

CString FormatString1(UINT nID, LPCSTR lpsz1) {
  CString s = FrameworkString(nID);
  int at = s.Find("%1");
  if (at >= 0) s = s.Left(at) + (lpsz1 ? lpsz1 : "") + s.Mid(at + 2);
  return s;
}
}  // namespace afx

void AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1) {
  rString = afx::FormatString1(nIDS, lpsz1);
}
