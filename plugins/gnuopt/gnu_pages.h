// The option pages of the GNU plug-in and its page tree.
#pragma once

#include "plugins/common/plugin_tables.h"
#include "plugins/common/shared_option_pages.h"

namespace gnu {
extern const OptionPageTable kCCOutput, kCCSource, kCCDebugger, kCCMessagesDialog, kCCppTemplatesDialog,
    kCCppGeneralDialog, kCOptimizations;
extern const OptionPageTable kAsmGeneral, kAsmMessages, kAsmListingFile;
extern const OptionPageTable kLinkerGeneralDialog, kLinkerMapfileDialog, kLinkerWarningDialog;
}  // namespace gnu

const PluginTables& GnuOptPlugin();
