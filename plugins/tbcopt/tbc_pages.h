// The option pages of the Borland-style plug-in and its page tree.
#pragma once

#include "plugins/common/plugin_spec.h"
#include "plugins/common/shared_option_pages.h"

namespace tbc {
extern const OptionPageSpec kCCCodeGeneration, kCCFloat, kCCOutput, kCCSource, kCCDebugger,
    kCCPrecompiledHeader, kCCProcessor, kCCCallingConvention, kCCMemoryModel, kCCDataSegNames,
    kCCFarDataSegNames, kCCCodeSegNames, kCCMessagesDialog;
extern const OptionPageSpec kCCppElementPointerDialog, kCCppCompatibilityDialog, kCCppVirtualTablesDialog,
    kCCppTemplatesDialog, kCCppExceptionsRttiDialog, kCCppGeneralDialog, kCOptimizations;
extern const OptionPageSpec kAsmGeneral, kAsmDefinitions, kAsmOutput, kAsmSymbols, kAsmMessages,
    kAsmListingFile;
extern const OptionPageSpec kLinkerGeneralDialog, kLinkerMapfileDialog, kLinkerSpecialDialog,
    kLinkerWarningDialog;
}  // namespace tbc

const PluginSpec& TbcOptPlugin();
