// SECBmpMgr: the shared, reference-counted store of tool bar image strips.
// It maps each command id to one image of one strip, in a small and a large
// size (large strips are loaded, or stretched from the small ones).
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/afx/afx.h"

// A bitmap resource by name or by integer id.
class SECBmpResource {
 public:
  SECBmpResource() = default;
  explicit SECBmpResource(LPCSTR name);
  LPCSTR Get() const { return m_bNamed ? static_cast<LPCSTR>(m_strName) : m_pszId; }
  BOOL IsEmpty() const { return !m_bNamed && !m_pszId; }

 private:
  BOOL m_bNamed = FALSE;
  CString m_strName;
  LPCSTR m_pszId = nullptr;
};

// One registered strip.
struct SECBmpRecord {
  SECBmpResource resSmall;
  SECBmpResource resLarge;  // empty: the large strip is stretched from the small one
  HBITMAP hSmall = nullptr;
  HBITMAP hLarge = nullptr;
  UINT nImages = 0;
  BOOL bMapColors = TRUE;
  BOOL bSmallSupplied = FALSE;  // the caller's strip: neither loaded nor deleted
  BOOL bLargeSupplied = FALSE;
};

class SECBmpMgr : public CObject {
  DECLARE_DYNAMIC(SECBmpMgr)
 public:
  SECBmpMgr();

  void AddRef() { ++m_nRefs; }
  // Deletes the store with its last reference.
  void Release();

  // Registers the images of a tool bar resource (its bitmap has the same
  // name); the first resource fixes the small image size, the first large
  // one the large size.
  BOOL AddToolBar(LPCSTR lpszToolBar, LPCSTR lpszLargeToolBar = nullptr, BOOL bMapColors = TRUE);
  // Registers a strip of `count` images for the ids (the first registration
  // of an id wins) and loads it.
  BOOL AddBitmap(LPCSTR lpszBitmap, LPCSTR lpszLargeBitmap, const UINT* ids, int count,
                 BOOL bMapColors = TRUE);
  // The same for strips the caller owns (null: none, the large one then
  // stretched from the small one).
  BOOL AddBitmap(HBITMAP hSmall, HBITMAP hLarge, const UINT* ids, int count);

  // The strip and image index of a command's image; FALSE (outputs left
  // alone) when the id has none.
  BOOL GetImage(UINT nID, HBITMAP& hBitmap, int& nIndex, BOOL bSmall) const;
  BOOL ReloadAll(BOOL bReload);
  void SetSmallMode(BOOL bSmall);
  BOOL IsSmallMode() const { return m_bSmallMode; }
  void SetKeepBoth(BOOL bKeepBoth);
  BOOL IsKeepBoth() const { return m_bKeepBoth; }
  CSize GetSmallSize() const { return m_szSmall; }
  CSize GetLargeSize() const { return m_szLarge; }
  // The image size the tool bars use in the present mode.
  CSize GetImageSize() const { return m_bSmallMode ? m_szSmall : m_szLarge; }
  int GetRecordCount() const { return static_cast<int>(m_records.size()); }
  const SECBmpRecord& GetRecord(int i) const { return *m_records[i]; }

  virtual BOOL LoadBitmaps(SECBmpRecord& rec, BOOL bReload);
  virtual BOOL LoadSmallBitmap(SECBmpRecord& rec);
  virtual BOOL LoadLargeBitmap(SECBmpRecord& rec);

 protected:
  ~SECBmpMgr() override;

 private:
  struct Item {
    int nRecord;
    int nImage;
  };
  BOOL Register(std::unique_ptr<SECBmpRecord> rec, const UINT* ids, int count);
  BOOL LoadStrip(const SECBmpResource& res, BOOL bMapColors, HBITMAP& hOut);
  BOOL StretchLarge(SECBmpRecord& rec);
  static void FreeStrip(HBITMAP& h);

  std::unordered_map<UINT, Item> m_items;
  std::vector<std::unique_ptr<SECBmpRecord>> m_records;
  CSize m_szSmall{16, 15};
  CSize m_szLarge{22, 24};
  BOOL m_bSmallMode = TRUE;
  BOOL m_bKeepBoth = FALSE;
  int m_nRefs = 1;
};
