// What the source views ask of the running session, answered by the
// current debugger. The frame sets it as g_pSourceDebugPort while a
// session lives.
#pragma once

#include "editor/view/sourcedebugport.h"

class CSessionSourcePort : public SourceDebugPort {
 public:
  void SetLineBreakpoint(const char* path, WORD line, BOOL set) override;
  void SetIPToLine(const char* path, WORD line) override;
  BOOL IsRunning() override;
};
