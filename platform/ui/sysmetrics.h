// System colours, metrics and parameters from one fixed table in the
// classic style, so that pictures are the same on every machine.
#pragma once

#include "platform/ui/wintypes.h"

DWORD GetSysColor(int nIndex);
HBRUSH GetSysColorBrush(int nIndex);
int GetSystemMetrics(int nIndex);
BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni);
