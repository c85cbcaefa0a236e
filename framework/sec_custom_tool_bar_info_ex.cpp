#include "framework/sec_custom_tool_bar_info_ex.h"

#include "framework/sec_persistent_tree_node.h"
#include "framework/sec_ptn_factory.h"
#include "platform/afx/archive.h"
#include "platform/afx/winapp.h"

IMPLEMENT_DYNCREATE(SECCustomToolBarInfoEx, SECControlBarInfoEx)

namespace {
constexpr size_t kSECBtnRecordHeader = 5;
constexpr WORD kSECArchiveBigCount = 0xFFFF;
constexpr char kSECInfoExNode[] = "ToolBarInfoEx";
constexpr char kSECTitleKey[] = "Title";
constexpr char kSECButtonsKey[] = "Buttons";
}  // namespace

std::vector<BYTE> SECEncodeButtons(const SECBtnInfoArray& buttons) {
  std::vector<BYTE> out;
  for (const SECBtnInfo& b : buttons) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<BYTE>(b.nID >> (8 * i)));
    const size_t n = std::min(b.data.size(), kSECMaxButtonData);
    out.push_back(static_cast<BYTE>(n));
    out.insert(out.end(), b.data.begin(), b.data.begin() + n);
  }
  return out;
}

BOOL SECDecodeButtons(const BYTE* data, size_t size, SECBtnInfoArray& buttons) {
  buttons.clear();
  size_t at = 0;
  while (at < size) {
    if (size - at < kSECBtnRecordHeader || static_cast<int>(buttons.size()) >= kSECMaxSavedButtons)
      return FALSE;
    SECBtnInfo info;
    info.nID = static_cast<UINT>(data[at]) | (static_cast<UINT>(data[at + 1]) << 8) |
               (static_cast<UINT>(data[at + 2]) << 16) | (static_cast<UINT>(data[at + 3]) << 24);
    const size_t n = data[at + 4];
    at += kSECBtnRecordHeader;
    if (size - at < n) return FALSE;
    info.data.assign(data + at, data + at + n);
    at += n;
    buttons.push_back(std::move(info));
  }
  return TRUE;
}

void SECCustomToolBarInfoEx::Serialize(CArchive& ar, SECDockState* pDockState) {
  if (ar.IsStoring()) {
    ar << m_strTitle;
    const DWORD count = static_cast<DWORD>(m_btnInfo.size());
    if (count < kSECArchiveBigCount) {
      ar << static_cast<WORD>(count);
    } else {
      ar << kSECArchiveBigCount << count;
    }
    for (const SECBtnInfo& b : m_btnInfo) {
      const size_t n = std::min(b.data.size(), kSECMaxButtonData);
      ar << static_cast<DWORD>(b.nID) << static_cast<BYTE>(n);
      if (n) ar.Write(b.data.data(), static_cast<UINT>(n));
    }
    return;
  }
  ar >> m_strTitle;
  WORD small = 0;
  ar >> small;
  DWORD count = small;
  if (small == kSECArchiveBigCount) ar >> count;
  if (count > static_cast<DWORD>(kSECMaxSavedButtons)) AfxThrowArchiveException(CArchiveException::badIndex);
  m_btnInfo.clear();
  for (DWORD i = 0; i < count; ++i) {
    SECBtnInfo b;
    DWORD id = 0;
    BYTE n = 0;
    ar >> id >> n;
    b.nID = id;
    b.data.resize(n);
    if (n && ar.Read(b.data.data(), n) != n) AfxThrowArchiveException(CArchiveException::endOfFile);
    m_btnInfo.push_back(std::move(b));
  }
}

BOOL SECCustomToolBarInfoEx::SaveStateToProfile(LPCSTR lpszSection) {
  CWinApp* app = AfxGetApp();
  if (!app) return FALSE;
  if (!m_strTitle.IsEmpty()) app->WriteProfileString(lpszSection, kSECTitleKey, m_strTitle);
  std::vector<BYTE> blob = SECEncodeButtons(m_btnInfo);
  return app->WriteProfileBinary(lpszSection, kSECButtonsKey, blob.data(), static_cast<UINT>(blob.size()));
}

BOOL SECCustomToolBarInfoEx::LoadStateFromProfile(LPCSTR lpszSection, SECDockState* pDockState) {
  CWinApp* app = AfxGetApp();
  if (!app) return FALSE;
  m_strTitle = app->GetProfileString(lpszSection, kSECTitleKey, "");
  m_btnInfo.clear();
  BYTE* data = nullptr;
  UINT size = 0;
  if (!app->GetProfileBinary(lpszSection, kSECButtonsKey, &data, &size)) return TRUE;
  std::unique_ptr<BYTE[]> own(data);
  SECDecodeButtons(data, size, m_btnInfo);
  return TRUE;
}

BOOL SECCustomToolBarInfoEx::SaveStateToTree(SECPTNFactory& factory, SECPersistentTreeNode* pNode) {
  if (!pNode) return FALSE;
  SECPersistentTreeNode* node = factory.CreateNode(kSECInfoExNode, pNode);
  if (!node) return FALSE;
  node->SetKeyString(kSECTitleKey, m_strTitle);
  std::vector<BYTE> blob = SECEncodeButtons(m_btnInfo);
  node->SetKeyBinary(kSECButtonsKey, blob.data(), static_cast<UINT>(blob.size()));
  return TRUE;
}

BOOL SECCustomToolBarInfoEx::LoadStateFromTree(SECPersistentTreeNode* pNode) {
  if (!pNode) return FALSE;
  SECPersistentTreeNode* node = pNode->FindChild(kSECInfoExNode);
  m_btnInfo.clear();
  if (!node) return TRUE;
  node->GetKeyString(kSECTitleKey, m_strTitle, "");
  BYTE* data = nullptr;
  UINT size = 0;
  if (node->GetKeyBinary(kSECButtonsKey, &data, &size) != 0) return TRUE;
  std::unique_ptr<BYTE[]> own(data);
  SECDecodeButtons(data, size, m_btnInfo);
  return TRUE;
}
