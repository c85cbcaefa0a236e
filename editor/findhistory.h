// The last ten search and replacement texts, most recent first, as kept
// in the profile section "Settings\Find".
#pragma once

#include <vector>

#include "platform/base/cstring.h"

// Which history: search texts ("Find%d") or replacements ("Replace%d").
enum class HistoryKind { Find, Replace };

constexpr int kHistorySize = 10;
// How an empty replacement is stored.
constexpr const char* kEmptyReplacement = "<OE empty string>";

// Puts a text at the top: an empty search text is not added, an equal
// top entry changes nothing, an older equal entry moves up.
void AddToHistory(std::vector<CString>& entries, const CString& text, HistoryKind kind);

// The entries from the profile, up to the first missing one.
std::vector<CString> LoadHistory(HistoryKind kind);
void SaveHistory(const std::vector<CString>& entries, HistoryKind kind);
// The most recent search text ("" when none).
CString LastSearchText();
