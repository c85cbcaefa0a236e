#include "app/disass_frame_link.h"

#include "app/main_frame.h"

CDisassMainFrameLink::CDisassMainFrameLink() { g_pDisassMainFrame = this; }

CDisassMainFrameLink::~CDisassMainFrameLink() {
  if (g_pDisassMainFrame == this) g_pDisassMainFrame = nullptr;
}

void CDisassMainFrameLink::OpenFileWithDialog() {
  if (g_pMainFrame != nullptr) g_pMainFrame->OpenFileWithDialog();
}
