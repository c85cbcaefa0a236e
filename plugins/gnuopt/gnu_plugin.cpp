// The GNU plug-in's page tree and option-string recipes.
#include "plugins/gnuopt/gnu_pages.h"

namespace {
using N = TreeNode;
using PK = PageKind;
using O = OptionString;
}  // namespace

const PluginTables& GnuOptPlugin() {
  static const PluginTables table = {
      "-I",
      PascalFields::kHidden,
      {
          {"General", 172, 0, N::kPage, PK::kGeneral, O::kNone, nullptr, PullOnHide::kNo},
          {"Connection", 173, 0, N::kPage, PK::kConnection, O::kNone, nullptr, PullOnHide::kNo},
          {"Tools", 175, 0, N::kPage, PK::kTools, O::kNone, nullptr, PullOnHide::kNo},
          {"Directories", 134, 0, N::kPage, PK::kDirectories, O::kNone, nullptr, PullOnHide::kYes},
          {"C-Compiler", 130, 0, N::kBranch, PK::kOption, O::kNone, &EmptyOptionPage(), PullOnHide::kNo},
          {"Definitions", 148, 1, N::kPage, PK::kOption, O::kCompiler, &kCCDefinitionsPage, PullOnHide::kNo},
          {"Compiler output", 140, 1, N::kPage, PK::kOption, O::kCompiler, &gnu::kCCOutput, PullOnHide::kNo},
          {"Source Options", 141, 1, N::kPage, PK::kOption, O::kCompiler, &gnu::kCCSource, PullOnHide::kNo},
          {"Debugger", 142, 1, N::kPage, PK::kOption, O::kCompiler, &gnu::kCCDebugger, PullOnHide::kNo},
          {"Messages", 170, 1, N::kPage, PK::kOption, O::kCompiler, &gnu::kCCMessagesDialog, PullOnHide::kNo},
          {"C++-Options", 158, 0, N::kBranch, PK::kOption, O::kNone, &EmptyOptionPage(), PullOnHide::kNo},
          {"Templates", 155, 1, N::kPage, PK::kOption, O::kCompiler, &gnu::kCCppTemplatesDialog,
           PullOnHide::kNo},
          {"General", 157, 1, N::kPage, PK::kOption, O::kCompiler, &gnu::kCCppGeneralDialog, PullOnHide::kNo},
          {"C/C++ optimizations", 159, 0, N::kBranch, PK::kOption, O::kCompiler, &gnu::kCOptimizations,
           PullOnHide::kNo},
          {"Assembler", 162, 0, N::kBranch, PK::kOption, O::kNone, &EmptyOptionPage(), PullOnHide::kNo},
          {"General", 167, 1, N::kPage, PK::kOption, O::kAssembler, &gnu::kAsmGeneral, PullOnHide::kNo},
          {"Messages", 168, 1, N::kPage, PK::kOption, O::kAssembler, &gnu::kAsmMessages, PullOnHide::kNo},
          {"Listing file", 165, 1, N::kPage, PK::kOption, O::kAssembler, &gnu::kAsmListingFile,
           PullOnHide::kNo},
          {"Linker", 131, 0, N::kBranch, PK::kOption, O::kNone, &EmptyOptionPage(), PullOnHide::kNo},
          {"General Options", 135, 1, N::kPage, PK::kOption, O::kLinker, &gnu::kLinkerGeneralDialog,
           PullOnHide::kYes},
          {"Map file", 136, 1, N::kPage, PK::kOption, O::kLinker, &gnu::kLinkerMapfileDialog,
           PullOnHide::kYes},
          {"Warnings", 138, 1, N::kPage, PK::kOption, O::kLinker, &gnu::kLinkerWarningDialog,
           PullOnHide::kYes},
      },
      {"", IncludeSwitches::kYes, {148, 140, 141, 142, 170, 155, 157, 159}},
      {"", IncludeSwitches::kYes, {167, 165, 168}},
      {"-static ", IncludeSwitches::kNo, {135, 136, 138}},
  };
  return table;
}
