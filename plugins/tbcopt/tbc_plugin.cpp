// The Borland-style plug-in's page tree and option-string recipes.
#include "plugins/tbcopt/tbc_pages.h"

namespace {
using N = TreeNode;
using PK = PageKind;
using O = OptionString;

PageEntry TbcOption(const char* title, int id, O reads, const OptionPageTable& table,
                    PullOnHide pull = PullOnHide::kNo) {
  return {title, id, 1, N::kPage, PK::kOption, reads, &table, pull};
}
PageEntry TbcBranch(const char* title, int id) {
  return {title, id, 0, N::kBranch, PK::kOption, O::kNone, &EmptyOptionPage(), PullOnHide::kNo};
}
}  // namespace

const PluginTables& TbcOptPlugin() {
  using namespace tbc;
  constexpr O C = O::kCompiler, A = O::kAssembler, L = O::kLinker;
  constexpr PullOnHide kHide = PullOnHide::kYes;
  static const PluginTables table = {
      "/i",
      PascalFields::kShown,
      {
          {"General", 172, 0, N::kPage, PK::kGeneral, O::kNone, nullptr, PullOnHide::kNo},
          {"Connection", 173, 0, N::kPage, PK::kConnection, O::kNone, nullptr, PullOnHide::kNo},
          {"Tools", 175, 0, N::kPage, PK::kTools, O::kNone, nullptr, PullOnHide::kNo},
          {"Directories", 134, 0, N::kPage, PK::kDirectories, O::kNone, nullptr, kHide},
          TbcBranch("C-Compiler", 130),
          TbcOption("Definitions", 148, C, kCCDefinitionsPage),
          TbcOption("Code Generation", 139, C, kCCCodeGeneration),
          TbcOption("Floating point operations", 147, C, kCCFloat),
          TbcOption("Compiler output", 140, C, kCCOutput),
          TbcOption("Source Options", 141, C, kCCSource),
          TbcOption("Debugger", 142, C, kCCDebugger),
          TbcOption("Precompiled headers", 143, C, kCCPrecompiledHeader),
          TbcOption("Processor", 144, C, kCCProcessor),
          TbcOption("Calling convention", 145, C, kCCCallingConvention),
          TbcOption("Memory model", 146, C, kCCMemoryModel),
          TbcOption("Data segment names", 149, C, kCCDataSegNames),
          TbcOption("Far data segment names", 150, C, kCCFarDataSegNames),
          TbcOption("Code segment names", 151, C, kCCCodeSegNames),
          TbcOption("Messages", 170, C, kCCMessagesDialog),
          TbcBranch("C++-Options", 158),
          TbcOption("Element pointers", 152, C, kCCppElementPointerDialog),
          TbcOption("Compatibility", 153, C, kCCppCompatibilityDialog),
          TbcOption("Virtual Tables", 154, C, kCCppVirtualTablesDialog),
          TbcOption("Templates", 155, C, kCCppTemplatesDialog),
          TbcOption("Exceptions and Rtti", 156, C, kCCppExceptionsRttiDialog),
          TbcOption("General", 157, C, kCCppGeneralDialog),
          {"C/C++ optimizations", 159, 0, N::kBranch, PK::kOption, C, &kCOptimizations, PullOnHide::kNo},
          TbcBranch("Assembler", 162),
          TbcOption("General", 167, A, kAsmGeneral),
          TbcOption("Definitions", 163, A, kAsmDefinitions),
          TbcOption("Output", 164, A, kAsmOutput),
          TbcOption("Symbols", 166, A, kAsmSymbols),
          TbcOption("Messages", 168, A, kAsmMessages),
          TbcOption("Listing file", 165, A, kAsmListingFile),
          TbcBranch("Linker", 131),
          TbcOption("General Options", 135, L, kLinkerGeneralDialog, kHide),
          TbcOption("Map file", 136, L, kLinkerMapfileDialog, kHide),
          TbcOption("Special 16bit features", 137, L, kLinkerSpecialDialog, kHide),
          TbcOption("Warnings", 138, L, kLinkerWarningDialog, kHide),
      },
      {"-c ", IncludeSwitches::kNo, {148, 139, 147, 140, 141, 142, 143, 144, 145, 146, 149,
                                     150, 151, 170, 152, 153, 154, 155, 156, 157, 159}},
      {"", IncludeSwitches::kYes, {167, 164, 166, 163, 165, 168}},
      {"/Tde ", IncludeSwitches::kNo, {135, 136, 137, 138}},
  };
  return table;
}
