// The values of one option page's members, indexed like
// OptionPageTable::members: numbers for check boxes and radio groups, texts
// for edit fields and combo boxes.
#pragma once

#include <vector>

#include "platform/base/cstring.h"
#include "platform/base/windef.h"
#include "plugins/common/option_table.h"

struct OptionValues {
  std::vector<int> num;
  std::vector<CString> text;
};

// The start values: check boxes 0, radio groups -1, texts empty.
OptionValues InitialOptionValues(const OptionPageTable& table);

// Sets the members from an option string (the page's parse steps).
void ParseOptionPage(const OptionPageTable& table, const char* options, OptionValues& values);

// The page's switches, each followed by one blank. Range alerts are owned
// by `owner` (null: no owner).
CString BuildOptionPage(const OptionPageTable& table, const OptionValues& values, HWND owner);

// Whether a blank-separated word of an option string is one of the page's
// switches (read or written by it), so that it is not carried over.
bool IsPageSwitch(const OptionPageTable& table, const CString& word);
