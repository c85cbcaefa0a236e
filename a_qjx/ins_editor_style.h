// The installation-file editor's set-up of the editing component: lexer,
// keyword sets and the colours of its styles, as the messages that set them.
#pragma once
#include <vector>

#include "platform/base/windef.h"

struct InsEditorSetting {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// The component's lexer for installation files, by its number.
constexpr int kInstallFileLexer = 94;

const std::vector<InsEditorSetting>& InsEditorSettings();
