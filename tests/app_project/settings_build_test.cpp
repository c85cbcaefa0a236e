// The IDE's builds use the switches its settings plug-ins write: a choice
// on each toolchain's optimisation page, confirmed with OK through the
// frame's Project Settings command, stands in the makefile the build
// writes and on the compiler's command line in the Build pane. The GNU
// project builds with this machine's make and gcc; the Borland-style one
// with stand-in tools in its tool folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "app/command_ids.h"
#include "app/core/project_data.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/modal.h"
#include "platform/ui/ui.h"
#include "shell_fixture.h"
#include "tests/plugins/settings_pages.h"
#include "tests/support/test_support.h"

namespace {

constexpr auto kMainSource = "#include <stdio.h>\nint main(void) { puts(\"hello\"); return 0; }\n";
constexpr DWORD kBuildWaitMs = 60000;
constexpr auto kOptimisationPage = "C/C++ optimizations";
constexpr int kGnuLevel3 = 1103, kBorlandSpeed = 1050;

constexpr auto kGnuProject =
    "VERSION=MIRT-KPJ0\r\nENVIRON=Linux host C++ (gcc)\r\nEXE=demo.elf\r\nSOURCEFILES=main.c \r\n"
    "TOOLDIR=/usr/bin\r\nMAKE=make\r\nCC=gcc\r\nLINK=gcc\r\nASM=as\r\nOBJSUFFIX=o\r\nCFLAGS=-g -O0 -Wall\r\n"
    "CARDCLASS=QJX\r\nCARDNUMBER=0\r\nLIBS=\r\nOBJS=\r\n";
constexpr auto kBorlandProject =
    "VERSION=MIRT-KPJ0\r\nENVIRON=TESSERA-4/486 C++ (Borland)\r\nEXE=demo.exe\r\nSOURCEFILES=main.c \r\n"
    "TOOLDIR=%TOOLS%\r\nMAKE=make\r\nCC=bcc\r\nLINK=tlink\r\nASM=tasm\r\nOBJSUFFIX=obj\r\n"
    "INCDIRS=/inc\r\nLIBDIRS=/lib\r\nKERNELDIR=/kernel/\r\nCFLAGS=-ml -3 -v -w\r\n"
    "CARDCLASS=QJX\r\nCARDNUMBER=0\r\nBAUDRATE=115200\r\nDEBUGGEENUM=1\r\nKERNELNUM=255\r\nLIBS=\r\nOBJS="
    "\r\n";

// Stands in for the Borland-style make: after its banner line it runs the
// makefile's .c rule for every C source of OBJS with the makefile's
// variables, each command shown indented by a TAB as that make shows it.
constexpr auto kFakeBorlandMake = R"(#!/bin/sh
echo "MAKE stand-in"
for a; do case $a in -f*) mak=$(printf %s "${a#-f}" | tr '\\' '/');; esac; done
val() { sed -n "s/^$1 = //p" "$mak" | tr -d '\r'; }
rule=$(sed -n '/^\.c\.\$(OBJSUFFIX):/{n;p;}' "$mak" | tr -d '\r' | sed 's/^\t//')
for o in $(val OBJS); do
  src=${o%.*}.c
  cmd=$(printf %s "$rule" | sed -e "s|\$(CC)|$(val CC)|" -e "s|\$(CFLAGS)|$(val CFLAGS)|" \
    -e "s|\$(INCDIRS)|$(val INCDIRS)|" -e "s|\$@|$o|" -e "s|\$<|$src|")
  printf '\t%s\n' "$cmd"
  sh -c "$cmd" || exit 1
done
)";
// The compiler: makes the object it is asked for.
constexpr auto kFakeBcc = "#!/bin/sh\nfor a; do case $a in -o*) : > \"${a#-o}\";; esac; done\n";

class SettingsBuildTest : public shell_test::ShellTest {
 protected:
  // Opens the project, clicks `button` on the optimisation page of its
  // settings dialog, presses OK and builds everything; the Build pane.
  std::string ChooseOptimisationAndBuild(const std::string& projectText, int button) {
    MakeFile("main.c", kMainSource);
    frame->OpenProjectFile(MakeFile("demo.kpj", projectText).c_str());
    Pump();
    plat::PushDialogAction([button](HWND h) {
      plugins_test::SelectPage(h, "", kOptimisationPage);
      HWND page = plugins_test::ShownPage(h);
      ASSERT_NE(page, nullptr);
      SendDlgItemMessage(page, button, BM_CLICK, 0, 0);
      SendDlgItemMessage(h, IDOK, BM_CLICK, 0, 0);
    });
    frame->SendMessage(WM_COMMAND, ID_PROJECT_SETTINGS);
    Pump();
    EXPECT_TRUE(plat::MessageBoxRecords().empty()) << plat::MessageBoxRecords().front().text;
    frame->SendMessage(WM_COMMAND, ID_PROJECT_BUILD_ALL);
    EXPECT_TRUE(WaitServingMessages(
        [this] {
          std::string text = BuildPane();
          return text.find("Build terminated successfully") != std::string::npos ||
                 text.find("Executable is up to date") != std::string::npos ||
                 text.find("Executable could not be built") != std::string::npos;
        },
        kBuildWaitMs))
        << BuildPane();
    return BuildPane();
  }
  std::string BuildPane() { return frame->GetOutputBar().GetBuildPane().GetStoredText(); }
  // The Build pane's line that holds `part`.
  static std::string LineWith(const std::string& text, const std::string& part) {
    size_t at = text.find(part);
    if (at == std::string::npos) return "";
    size_t start = text.find_last_of('\n', at);
    start = start == std::string::npos ? 0 : start + 1;
    return text.substr(start, text.find_first_of("\r\n", at) - start);
  }
};

TEST_F(SettingsBuildTest, GnuLevelReachesTheMakefileAndGcc) {
  Start();
  std::string pane = ChooseOptimisationAndBuild(kGnuProject, kGnuLevel3);
  EXPECT_NE(pane.find("Build terminated successfully"), std::string::npos) << pane;
  EXPECT_NE(mirt_test::ReadFile(dir + "/demo.kpj").find("CFLAGS=-std=gnu89 -g -Wall -O3 \r\n"),
            std::string::npos);
  std::string makefile = mirt_test::ReadFile(dir + "/Makefile");
  EXPECT_NE(makefile.find("CFLAGS = -std=gnu89 -g -Wall -O3 \r\n"), std::string::npos) << makefile;
  // The level is the last one on gcc's line, so gcc follows it.
  std::string compile = LineWith(pane, "-c -o main.o main.c");
  EXPECT_NE(compile.find(" -O3 "), std::string::npos) << pane;
  EXPECT_EQ(compile.rfind(" -O"), compile.find(" -O3 ")) << compile;
}

TEST_F(SettingsBuildTest, BorlandSpeedReachesTheMakefileAndTheCompilersLine) {
  Start();
  std::string tools = dir + "/tools";
  ASSERT_EQ(mkdir(tools.c_str(), 0755), 0);
  for (auto [name, text] : {std::pair{"make", kFakeBorlandMake}, std::pair{"bcc", kFakeBcc}})
    chmod(mirt_test::WriteFile(tools + "/" + name, text).c_str(), 0755);
  std::string project = kBorlandProject;
  project.replace(project.find("%TOOLS%"), std::string("%TOOLS%").size(), tools);
  std::string pane = ChooseOptimisationAndBuild(project, kBorlandSpeed);
  std::string saved = mirt_test::ReadFile(dir + "/demo.kpj");
  size_t flagsAt = saved.find("CFLAGS=");
  ASSERT_NE(flagsAt, std::string::npos) << saved;
  std::string flags = saved.substr(flagsAt + 7, saved.find("\r\n", flagsAt) - flagsAt - 7);
  EXPECT_NE(flags.find(" -Ov "), std::string::npos) << flags;
  std::string makefile = mirt_test::ReadFile(dir + "/demo.mak");
  EXPECT_NE(makefile.find("CFLAGS = " + flags + "\r\n"), std::string::npos) << makefile;
  EXPECT_NE(pane.find("\tbcc -c " + flags + " -I/inc -omain.obj main.c"), std::string::npos) << pane;
  EXPECT_NE(pane.find("Build terminated successfully"), std::string::npos) << pane;
}

}  // namespace
