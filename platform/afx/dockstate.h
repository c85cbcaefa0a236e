// CDockState: the saved arrangement of a frame's bars, in the profile.
#pragma once

#include "platform/afx/controlbar.h"

class CDockState : public CObject {
  DECLARE_SERIAL(CDockState)
 public:
  CDockState() = default;
  ~CDockState() override;

  // "<profile>-Bar<n>" for each record worth saving, then "<profile>-Summary".
  virtual void SaveState(LPCSTR lpszProfileName);
  virtual void LoadState(LPCSTR lpszProfileName);
  void Clear();
  // From the saved screen size to the current one.
  void ScalePoint(CPoint& pt);
  void ScaleRectPos(CRect& rect);
  CSize GetScreenSize();
  void SetScreenSize(CSize& size);
  void Serialize(CArchive& ar) override;

  CPtrArray m_arrBarInfo;
  DWORD m_dwVersion = 2;
  BOOL m_bScaling = FALSE;
  CRect m_rectDevice;   // the screen now
  CRect m_rectClip;     // where scaled points may lie
  CSize m_sizeLogical;  // the screen when saved
};
