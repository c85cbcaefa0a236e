// Files dropped from other programs: a window that accepts them
// (DragAcceptFiles, WS_EX_ACCEPTFILES) gets WM_DROPFILES with an HDROP in
// wParam, which it reads with DragQueryFile and frees with DragFinish.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/wintypes.h"

void DragAcceptFiles(HWND hWnd, BOOL fAccept);
// iFile 0xFFFFFFFF: the number of files. A null buffer: the name's length
// without its NUL. Else the name copied (cut to cch - 1) and its length.
UINT DragQueryFile(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch);
// The drop point in the client coordinates of the window that got it;
// TRUE when it lies in the client area.
BOOL DragQueryPoint(HDROP hDrop, POINT* lppt);
void DragFinish(HDROP hDrop);

namespace mirt_ui {
// Posts WM_DROPFILES for the paths to the window under `hwnd` that
// accepts files (the window itself or its nearest ancestor that does);
// `point` in hwnd's client coordinates. FALSE when none accepts files.
// Qt drops of file URLs come here; tests call it directly.
BOOL DropFiles(HWND hwnd, const std::vector<std::string>& paths, POINT point);
}  // namespace mirt_ui
