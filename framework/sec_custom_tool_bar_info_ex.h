// SECCustomToolBarInfoEx: the part of a tool bar's saved layout record that
// holds its title and its button list ("Title" and "Buttons").
#pragma once

#include <memory>
#include <vector>

#include "framework/sec_control_bar_info.h"

// One saved button: command id (0 a separator) and its own data.
struct SECBtnInfo {
  UINT nID = 0;
  std::vector<BYTE> data;  // at most 255 bytes
};

using SECBtnInfoArray = std::vector<SECBtnInfo>;

// The most buttons a saved list may hold.
constexpr int kSECMaxSavedButtons = 4096;
constexpr size_t kSECMaxButtonData = 255;

// "Buttons": records back to back: u32 id (little-endian), u8 length n, n bytes.
std::vector<BYTE> SECEncodeButtons(const SECBtnInfoArray& buttons);
// Reads records to the blob's end; FALSE (and what was read so far) when a
// record runs past the end or the list is longer than kSECMaxSavedButtons.
BOOL SECDecodeButtons(const BYTE* data, size_t size, SECBtnInfoArray& buttons);

class SECCustomToolBarInfoEx : public SECControlBarInfoEx {
  DECLARE_DYNCREATE(SECCustomToolBarInfoEx)
 public:
  void Serialize(CArchive& ar, SECDockState* pDockState) override;
  BOOL LoadStateFromTree(SECPersistentTreeNode* pNode) override;
  BOOL LoadStateFromProfile(LPCSTR lpszSection, SECDockState* pDockState) override;
  BOOL SaveStateToTree(SECPTNFactory& factory, SECPersistentTreeNode* pNode) override;
  BOOL SaveStateToProfile(LPCSTR lpszSection) override;

  CString m_strTitle;
  SECBtnInfoArray m_btnInfo;
};
