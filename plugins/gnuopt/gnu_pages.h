// The option pages of the GNU plug-in and its page tree.
#pragma once

#include "plugins/common/plugin_spec.h"
#include "plugins/common/shared_option_pages.h"

namespace gnu {
extern const OptionPageSpec kCCOutput, kCCSource, kCCDebugger, kCCMessagesDialog, kCCppTemplatesDialog,
    kCCppGeneralDialog, kCOptimizations;
extern const OptionPageSpec kAsmGeneral, kAsmMessages, kAsmListingFile;
extern const OptionPageSpec kLinkerGeneralDialog, kLinkerMapfileDialog, kLinkerWarningDialog;
}  // namespace gnu

const PluginSpec& GnuOptPlugin();
