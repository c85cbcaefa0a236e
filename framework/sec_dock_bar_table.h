// The frame's four dock bars in the order bars look for one: id and style
// (side and the border facing the client area).
#pragma once

#include "platform/afx/afx.h"

struct SECDockBarRow {
  UINT nID;
  DWORD dwStyle;
};
inline constexpr SECDockBarRow kSECDockBarTable[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT},
};
