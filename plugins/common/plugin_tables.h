// What tells the two plug-ins apart: their page tree and how the option
// strings are put together from the pages. Each plug-in holds one
// PluginTables (GnuOptPlugin, TbcOptPlugin); the settings dialog, the record
// transfer and the tests work from it.
#pragma once

#include <vector>

#include "plugins/common/option_table.h"

// Page kinds: the four pages of plugins/common, and the option pages (also
// the branch pages without controls, whose table is empty).
enum class PageKind : uint8_t { kGeneral, kConnection, kTools, kDirectories, kOption };
// Tree items: branches show the folder images, pages the page image.
enum class TreeNode : uint8_t { kBranch, kPage };
// Pages that also pull their values when hidden.
enum class PullOnHide : uint8_t { kNo, kYes };
// Whether a recipe begins with the Directories page's include switches.
enum class IncludeSwitches : uint8_t { kNo, kYes };
// Whether the plug-in shows the Pascal fields (units, Pascal compiler).
enum class PascalFields : uint8_t { kHidden, kShown };

struct PageEntry {
  const char* title;
  int templateId;
  int level;  // 0 at the root, 1 under the last branch before it
  TreeNode node;
  PageKind kind;
  OptionString reads;
  const OptionPageTable* table;
  PullOnHide pullOnHide;
};

// One option string: fixed start, include switches, then the pages' texts
// (by template id) in this order.
struct FlagsRecipe {
  const char* start;
  IncludeSwitches includes;
  std::vector<int> pages;
};

struct PluginTables {
  const char* includePrefix;
  PascalFields pascal;
  std::vector<PageEntry> pages;
  FlagsRecipe cFlags, asmFlags, linkFlags;
};

// The branch pages' table: no members, no switches.
const OptionPageTable& EmptyOptionPage();
