// SECPersistentTreeNode: writing and reading key values.
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "framework/ptn_binary_text.h"
#include "framework/sec_persistent_tree_node.h"

namespace {

const char kBinCount[] = "_BinCount";
const char kBinVal[] = "_BinVal";

CString PieceKey(const CString& key, int index) {
  CString name;
  name.Format("%s%s%d", static_cast<LPCTSTR>(key), kBinVal, index);
  return name;
}

// The text's leading decimal number as the C run-time reads it (blanks,
// sign, digits), held to the 32-bit range.
LONG LeadingInteger(const CString& text) {
  long long value = std::strtoll(text, nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<LONG>(value);
}

// A stored number as T, or the default with ptnKeyMissing when there is none.
template <class T>
DWORD ReadNumber(const SECPersistentTreeNode::SECPersTreeNodeKeyValuePair* pair, T& value, T fallback) {
  value = fallback;
  if (!pair) return SECPersistentTreeNode::ptnKeyMissing;
  value = static_cast<T>(LeadingInteger(pair->m_strValue));
  return 0;
}

}  // namespace

DWORD SECPersistentTreeNode::WriteChecks(LPCTSTR lpszKey, BOOL bExists, BOOL bOverwrite) const {
  DWORD code = 0;
  if (!m_bCreated) code |= ptnNotCreated;
  if (!lpszKey || !*lpszKey) code |= ptnEmptyKey;
  if (bExists && !bOverwrite) code |= ptnKeyExists;
  return code;
}

DWORD SECPersistentTreeNode::SetKeyString(LPCTSTR lpszKey, LPCTSTR lpszValue, BOOL bOverwrite) {
  SECPersTreeNodeKeyValuePair* pair = FindKey(lpszKey);
  if (DWORD code = WriteChecks(lpszKey, pair != nullptr, bOverwrite)) return code;
  if (!pair) {
    pair = new SECPersTreeNodeKeyValuePair(lpszKey, CString());
    m_pairs.AddTail(pair);
  }
  pair->m_strValue = lpszValue;
  return 0;
}

DWORD SECPersistentTreeNode::SetKeyInt(LPCTSTR lpszKey, int nValue, BOOL bOverwrite) {
  CString text;
  text.Format("%d", nValue);
  return SetKeyString(lpszKey, text, bOverwrite);
}

DWORD SECPersistentTreeNode::SetKeyBool(LPCTSTR lpszKey, BOOL bValue, BOOL bOverwrite) {
  return SetKeyString(lpszKey, bValue ? "True" : "False", bOverwrite);
}

DWORD SECPersistentTreeNode::RemoveKey(LPCTSTR lpszKey) {
  SECPersTreeNodeKeyValuePair* pair = FindKey(lpszKey);
  if (!pair) return ptnKeyMissing;
  m_pairs.RemoveAt(m_pairs.Find(pair));
  delete pair;
  return 0;
}

// Removes the pieces numbered nFirstPiece and up, and with nFirstPiece 0
// also the piece count.
void SECPersistentTreeNode::RemoveBinaryPieces(const CString& strKey, int nFirstPiece) {
  CString prefix = strKey + kBinVal;
  for (POSITION pos = m_pairs.GetHeadPosition(); pos;) {
    POSITION at = pos;
    SECPersTreeNodeKeyValuePair* pair = m_pairs.GetNext(pos);
    const CString& key = pair->m_strKey;
    if (key.GetLength() <= prefix.GetLength() || key.Left(prefix.GetLength()) != prefix) continue;
    CString number = key.Mid(prefix.GetLength());
    int index = LeadingInteger(number);
    if (number.SpanIncluding("0123456789") != number || PieceKey(strKey, index) != key) continue;
    if (index < nFirstPiece) continue;
    m_pairs.RemoveAt(at);
    delete pair;
  }
  if (nFirstPiece == 0) RemoveKey(strKey + kBinCount);
}

DWORD SECPersistentTreeNode::SetKeyBinary(LPCTSTR lpszKey, const BYTE* pData, UINT nBytes, BOOL bOverwrite) {
  CString key(lpszKey);
  BOOL exists = FindKey(key) != nullptr || (!key.IsEmpty() && FindKey(key + kBinCount) != nullptr);
  DWORD code = WriteChecks(lpszKey, exists, bOverwrite);
  if (!pData) code |= ptnNullData;
  if (code) return code;
  if (nBytes > static_cast<UINT>(INT_MAX / 2)) return ptnNoText;
  std::string text = ptn::BinaryToText(pData, nBytes);
  if (static_cast<int>(text.size()) < kBinarySplitLength) {
    RemoveBinaryPieces(key, 0);
    return SetKeyString(key, text.c_str(), TRUE);
  }
  int pieces = static_cast<int>((text.size() + kBinaryPieceLength - 1) / kBinaryPieceLength);
  if (DWORD written = SetKeyInt(key + kBinCount, pieces, TRUE)) return written;
  RemoveKey(key);
  RemoveBinaryPieces(key, pieces);
  for (int i = 0; i < pieces; ++i)
    SetKeyString(PieceKey(key, i),
                 text.substr(static_cast<size_t>(i) * kBinaryPieceLength, kBinaryPieceLength).c_str(), TRUE);
  return 0;
}

DWORD SECPersistentTreeNode::GetKeyString(LPCTSTR lpszKey, CString& strValue, LPCTSTR lpszDefault) const {
  strValue = lpszDefault;
  const SECPersTreeNodeKeyValuePair* pair = FindKey(lpszKey);
  if (!pair) return ptnKeyMissing;
  strValue = pair->m_strValue;
  return 0;
}

DWORD SECPersistentTreeNode::GetKeyInt(LPCTSTR lpszKey, int& nValue, int nDefault) const {
  return ReadNumber(FindKey(lpszKey), nValue, nDefault);
}

DWORD SECPersistentTreeNode::GetKeyUInt(LPCTSTR lpszKey, UINT& nValue, UINT nDefault) const {
  return ReadNumber(FindKey(lpszKey), nValue, nDefault);
}

DWORD SECPersistentTreeNode::GetKeyLong(LPCTSTR lpszKey, LONG& lValue, LONG lDefault) const {
  return ReadNumber(FindKey(lpszKey), lValue, lDefault);
}

DWORD SECPersistentTreeNode::GetKeyDWord(LPCTSTR lpszKey, DWORD& dwValue, DWORD dwDefault) const {
  return ReadNumber(FindKey(lpszKey), dwValue, dwDefault);
}

DWORD SECPersistentTreeNode::GetKeyBool(LPCTSTR lpszKey, BOOL& bValue, BOOL bDefault) const {
  bValue = bDefault;
  const SECPersTreeNodeKeyValuePair* pair = FindKey(lpszKey);
  if (!pair) return ptnKeyMissing;
  CString text = pair->m_strValue;
  text.MakeUpper();
  bValue = text == "TRUE";
  return 0;
}

// The stored text of a binary value: the pieces when a piece count is
// stored (every piece must be there), else the key itself.
BOOL SECPersistentTreeNode::ReadBinaryText(const CString& strKey, CString& strText, DWORD& dwCode) const {
  int pieces = 0;
  if (GetKeyInt(strKey + kBinCount, pieces) != 0) {
    dwCode = GetKeyString(strKey, strText);
    return dwCode == 0;
  }
  strText.Empty();
  for (int i = 0; i < pieces; ++i) {
    const SECPersTreeNodeKeyValuePair* piece = FindKey(PieceKey(strKey, i));
    if (!piece) {
      dwCode = ptnKeyMissing;
      return FALSE;
    }
    strText += piece->m_strValue;
  }
  dwCode = 0;
  return TRUE;
}

DWORD SECPersistentTreeNode::GetKeyBinary(LPCTSTR lpszKey, BYTE** ppData, UINT* pnBytes) const {
  if (!ppData || !pnBytes) return ptnNullData;
  if (!lpszKey || !*lpszKey) return ptnKeyMissing;
  CString text;
  DWORD code = 0;
  if (!ReadBinaryText(lpszKey, text, code)) return code;
  CByteArray bytes;
  ptn::TextToBinary(text.str(), bytes);
  if (bytes.GetSize() == 0) return ptnFailed;
  *ppData = new BYTE[static_cast<size_t>(bytes.GetSize())];
  std::copy(bytes.GetData(), bytes.GetData() + bytes.GetSize(), *ppData);
  *pnBytes = static_cast<UINT>(bytes.GetSize());
  return 0;
}
