// The option pages of the Borland-style plug-in and its page tree.
#pragma once

#include "plugins/common/plugin_tables.h"
#include "plugins/common/shared_option_pages.h"

namespace tbc {
extern const OptionPageTable kCCCodeGeneration, kCCFloat, kCCOutput, kCCSource, kCCDebugger,
    kCCPrecompiledHeader, kCCProcessor, kCCCallingConvention, kCCMemoryModel, kCCDataSegNames,
    kCCFarDataSegNames, kCCCodeSegNames, kCCMessagesDialog;
extern const OptionPageTable kCCppElementPointerDialog, kCCppCompatibilityDialog, kCCppVirtualTablesDialog,
    kCCppTemplatesDialog, kCCppExceptionsRttiDialog, kCCppGeneralDialog, kCOptimizations;
extern const OptionPageTable kAsmGeneral, kAsmDefinitions, kAsmOutput, kAsmSymbols, kAsmMessages,
    kAsmListingFile;
extern const OptionPageTable kLinkerGeneralDialog, kLinkerMapfileDialog, kLinkerSpecialDialog,
    kLinkerWarningDialog;
}  // namespace tbc

const PluginTables& TbcOptPlugin();
