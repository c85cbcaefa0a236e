// The Borland-style plug-in's option pages: option strings through the
// pages and back, the values the pages show, the linker's range alerts and
// the record it writes.
#include <gtest/gtest.h>

#include "platform/sys/msgbox.h"
#include "plugins/tbcopt/tbc_pages.h"
#include "tests/plugins/round_trip.h"

namespace {

using plugins_test::Flags;
using plugins_test::PageTextCase;
using plugins_test::PageValueCase;
using plugins_test::RoundTripCase;
using plugins_test::SettingsRecord;

constexpr RoundTripCase kTbcCompilerCases[] = {
    {"empty compiler string", Flags::kCompiler, "", "-c -r- -f -vi- -2 -ml -Od "},
    {"definitions", Flags::kCompiler, "-DA -DB=1", "-c -DA -DB=1 -r- -f -vi- -2 -ml -Od "},
    {"code generation", Flags::kCompiler, "-B -po -d -K -b-", "-c -b- -K -d -po -B -r- -f -vi- -2 -ml -Od "},
    {"floating point", Flags::kCompiler, "-ff- -f-", "-c -r- -f- -ff- -vi- -2 -ml -Od "},
    {"compiler output", Flags::kCompiler, "-Fc -u- -X", "-c -r- -f -X -u- -Fc -vi- -2 -ml -Od "},
    {"source options", Flags::kCompiler, "-AK -C -i32", "-c -r- -f -C -i32 -AK -vi- -2 -ml -Od "},
    {"identifier length 250 is the default", Flags::kCompiler, "-i250", "-c -r- -f -vi- -2 -ml -Od "},
    {"debugger", Flags::kCompiler, "-R -v -y -vi -N -k-", "-c -r- -f -k- -N -vi -y -v -R -2 -ml -Od "},
    {"precompiled header, quoted stop", Flags::kCompiler, "-Hc -H=app.csm -H\"stop.h\"",
     "-c -r- -f -vi- -Hc -H=app.csm -H\"stop.h\" -2 -ml -Od "},
    {"use precompiled headers", Flags::kCompiler, "-Hu -H\"x.h\"",
     "-c -r- -f -vi- -Hu -H\"x.h\" -2 -ml -Od "},
    {"-1- and -4: 80486", Flags::kCompiler, "-1- -4", "-c -r- -f -vi- -4 -ml -Od "},
    {"alignment and calling convention", Flags::kCompiler, "-pr -a -3", "-c -r- -f -vi- -3 -a -pr -ml -Od "},
    {"memory model", Flags::kCompiler, "-h -Vf -dc -Fs", "-c -r- -f -vi- -2 -ml -Fs -dc -Vf -h -Od "},
    {"far data at the default threshold", Flags::kCompiler, "-Ff", "-c -r- -f -vi- -2 -ml -Ff -Od "},
    {"far data threshold 100", Flags::kCompiler, "-Ff -Ff=100", "-c -r- -f -vi- -2 -ml -Ff -Ff=100 -Od "},
    {"segment names", Flags::kCompiler, "-zCCODE -zRDATA -zW*", "-c -r- -f -vi- -2 -ml -zRDATA -zCCODE -Od "},
    {"message limits", Flags::kCompiler, "-j10 -g50", "-c -r- -f -vi- -2 -ml -g50 -j10 -Od "},
    {"no warnings", Flags::kCompiler, "-w-", "-c -r- -f -vi- -2 -ml -w- -Od "},
    {"all warnings", Flags::kCompiler, "-w", "-c -r- -f -vi- -2 -ml -w -Od "},
    {"single warnings are written back", Flags::kCompiler, "-w-pro -wamb -w-rch",
     "-c -r- -f -vi- -2 -ml -w-pro -w-rch -wamb -Od "},
    {"a dash in the warning list is not written as -w-", Flags::kCompiler, "-wamb;-",
     "-c -r- -f -vi- -2 -ml -wamb -Od "},
    {"-Vmm and -Vmd: smallest", Flags::kCompiler, "-Vmm -Vmd -Vmp", "-c -r- -f -vi- -2 -ml -Vmp -Vmd -Od "},
    {"compatibility", Flags::kCompiler, "-Vh -Vt -Vv -Vp -Vc -Va -Vb -VC -K2 -Vd",
     "-c -r- -f -vi- -2 -ml -Vd -K2 -VC -Vb -Va -Vc -Vp -Vv -Vt -Vh -Od "},
    {"virtual tables and templates", Flags::kCompiler, "-V1 -Jgx", "-c -r- -f -vi- -2 -ml -V1 -Jgx -Od "},
    {"exceptions off, -RT kept", Flags::kCompiler, "-x- -RT", "-c -r- -f -vi- -2 -ml -x- -Od -RT "},
    {"exception options", Flags::kCompiler, "-RT- -xc -xf -xd- -xp -Ve",
     "-c -r- -f -vi- -2 -ml -xp -xd- -xf -xc -RT- -Ve -Od "},
    {"size optimisation", Flags::kCompiler, "-O -Ob -Oc -Ol -Z", "-c -r- -f -vi- -2 -ml -O -Ob -Oc -Ol -Z "},
    {"speed optimisation", Flags::kCompiler, "-O -Ob -Og -Oi -Ol -Om -Op -Ov -Z",
     "-c -r- -f -vi- -2 -ml -O -Ob -Og -Oi -Ol -Om -Op -Ov -Z "},
    {"size switches out of order: none", Flags::kCompiler, "-Ob -O -Oc -Ol -Z", "-c -r- -f -vi- -2 -ml -Od "},
    {"unknown switches follow", Flags::kCompiler, "-Ifoo -Q -c", "-c -r- -f -vi- -2 -ml -Od -Ifoo -Q "},
};

constexpr RoundTripCase kTbcAssemblerCases[] = {
    {"only include switches", Flags::kAssembler, "/iold", "/iinc /zn /r /s /mu /w1 ", "inc"},
    {"empty assembler string", Flags::kAssembler, "", "/zn /r /s /mu /w1 "},
    {"symbols and passes", Flags::kAssembler, "/ml /mv32 /kh16384 /m3",
     "/m3 /zn /r /s /ml /kh16384 /mv32 /w1 "},
    {"/mx with /ml: global symbols", Flags::kAssembler, "/mx /ml", "/zn /r /s /mx /w1 "},
    {"definitions", Flags::kAssembler, "/dDEBUG /d /dLEVEL=2", "/zn /r /s /mu /dDEBUG /dLEVEL=2 /w1 "},
    {"a directive that begins with its own switch is one directive", Flags::kAssembler, "/j/jX",
     "/j/jX /zn /r /s /mu /w1 "},
    {"/l and /la: extended", Flags::kAssembler, "/l /la", "/zn /r /s /mu /la /w1 "},
    {"/w0 and /w2: level 2", Flags::kAssembler, "/w0 /w2", "/zn /r /s /mu /w2 "},
    {"everything else", Flags::kAssembler, "/jSMART /jP386 /q /zi /e /a /t /z /c /x /n",
     "/jSMART /jP386 /q /zi /e /a /mu /c /x /n /t /z /w1 "},
    {"line numbers only", Flags::kAssembler, "/zd", "/zd /r /s /mu /w1 "},
};

constexpr RoundTripCase kTbcLinkerCases[] = {
    {"only /Tde", Flags::kLinker, "/Tde ", "/Tde /s "},
    {"empty linker string", Flags::kLinker, "", "/Tde /s "},
    {"pack size 4096", Flags::kLinker, "/P=4096", "/Tde /P=4096 /s "},
    {"pack size 8192 is the bare switch", Flags::kLinker, "/P=8192", "/Tde /P /s "},
    {"pack without size", Flags::kLinker, "-P", "/Tde /P /s "},
    {"the later pack size wins", Flags::kLinker, "/P=100 -P=200", "/Tde /P=200 /s "},
    {"-x: no map file", Flags::kLinker, "-x", "/Tde /x "},
    {"alignment 16", Flags::kLinker, "/A=16", "/Tde /s /A=16 "},
    {"alignment 512 is the default", Flags::kLinker, "-A=512", "/Tde /s "},
    {"both forms", Flags::kLinker, "-c -C -v -n /Gm /l /m -i -f -3 /Gn /Gr -d -k",
     "/Tde /c /C /v /n /Gm /l /m /i /f /3 /Gn /Gr /d /k "},
    {"unknown switches follow", Flags::kLinker, "/Tde /L\\lib", "/Tde /s /L\\lib "},
};

TEST(TbcOptions, CompilerStringsComeBackAsThePagesWriteThem) {
  plugins_test::ExpectRoundTrips(TbcOptPlugin(), kTbcCompilerCases, std::size(kTbcCompilerCases));
}

TEST(TbcOptions, AssemblerStringsComeBackAsThePagesWriteThem) {
  plugins_test::ExpectRoundTrips(TbcOptPlugin(), kTbcAssemblerCases, std::size(kTbcAssemblerCases));
}

TEST(TbcOptions, LinkerStringsComeBackAsThePagesWriteThem) {
  plugins_test::ExpectRoundTrips(TbcOptPlugin(), kTbcLinkerCases, std::size(kTbcLinkerCases));
}

constexpr PageTextCase kTbcPageTexts[] = {
    {"definitions joined by commas", "-DA -DB=1", 148, 0, "A,B=1"},
    {"precompiled header file", "-Hu -Hc -H=app.csm", 143, 0, "app.csm"},
    {"stop-after text without quotes", "-Hu -Hc -H\"win.h\"", 143, 3, "win.h"},
    {"disabled warnings", "-w-pro -w-rch", 170, 3, "pro rch "},
    {"enabled warnings", "-wamb -w-pro", 170, 4, "amb "},
    {"passes", "/ml /m3", 167, 0, "3"},
    {"directives", "/jSMART", 167, 1, "SMART "},
    {"assembler definitions", "/dDEBUG /dLEVEL=2", 163, 0, "DEBUG LEVEL=2 "},
    {"symbol length default", "", 166, 0, "12"},
    {"symbol count default", "", 166, 1, "8192"},
    {"symbol length", "/mv32 /kh16384", 166, 0, "32"},
    {"symbol count", "/mv32 /kh16384", 166, 1, "16384"},
    {"pack size", "/P=100 -P=200", 135, 5, "200"},
    {"alignment", "-A=16", 137, 3, "16"},
};

TEST(TbcOptions, PagesShowTheStoredTexts) {
  plugins_test::ExpectPageTexts(TbcOptPlugin(), kTbcPageTexts, std::size(kTbcPageTexts));
}

constexpr PageValueCase kTbcPageValues[] = {
    {"asm debug information: none", "", 164, 2, 2},
    {"asm floating point: coprocessor", "", 164, 3, 1},
    {"asm segments: source order", "", 164, 1, 1},
    {"asm case: none", "", 166, 2, 2},
    {"asm warning level 1", "", 168, 2, 1},
    {"map: segment map", "/Tde", 136, 0, 1},
    {"-Vmm -Vmd: smallest", "-Vmm -Vmd", 152, 1, 3},
    {"-x-: no exceptions", "-x-", 156, 0, 0},
    {"-RT without -RT-: rtti ticked", "-RT", 156, 5, 1},
    {"size optimisation", "-c -O -Ob -Oc -Ol -Z -Q", 159, 0, 1},
    {"pack code segments", "/P=4096", 135, 4, 1},
    {"-Hc: save ticked", "-Hc", 143, 2, 1},
    {"-1- and -4: 80486", "-1- -4", 144, 0, 4},
};

TEST(TbcOptions, PagesShowTheStoredSwitches) {
  plugins_test::ExpectPageValues(TbcOptPlugin(), kTbcPageValues, std::size(kTbcPageValues));
}

struct AlertCase {
  const char* what;
  const char* linkFlags;
  const char* expected;
  const char* message;
};

constexpr AlertCase kTbcAlerts[] = {
    {"pack size 0", "/P=0", "/Tde /P /s ",
     "ignoring incorrect value for pack size (must be between 1 and 65535)"},
    {"pack size 65536", "/P=65536", "/Tde /P /s ",
     "ignoring incorrect value for pack size (must be between 1 and 65535)"},
    {"alignment 1", "/A=1", "/Tde /s ",
     "ignoring incorrect value for segment alignment (must be between 2 and 65535)"},
};

TEST(TbcOptions, WrongLinkerValuesAreReportedAndLeftOut) {
  for (const AlertCase& c : kTbcAlerts) {
    SCOPED_TRACE(c.what);
    plat::ClearMessageBoxRecords();
    plat::PushMessageBoxAnswer(IDOK);
    SettingsRecord r;
    SettingsRecord::Set(r.data.linkFlags, c.linkFlags);
    plugins_test::RoundTrip(TbcOptPlugin(), r);
    EXPECT_STREQ(r.data.linkFlags, c.expected);
    auto boxes = plat::MessageBoxRecords();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "alert");
    EXPECT_EQ(boxes[0].text, c.message);
  }
}

TEST(TbcOptions, RecordKeepsPascalFieldsAndEmptiesPascalFlags) {
  SettingsRecord r;
  r.FillTexts("kept");
  plugins_test::RoundTrip(TbcOptPlugin(), r);
  EXPECT_STREQ(r.data.unitDirs, "kept");
  EXPECT_STREQ(r.data.pascalCompiler, "kept");
  EXPECT_STREQ(r.data.pasFlags, "");
}

TEST(TbcOptions, BoardFieldsStayWithoutBoardPages) {
  constexpr uint16_t kCardNumber = 7, kCardClass = 2, kPort = 3;
  constexpr uint32_t kBaud = 115200;
  SettingsRecord r;
  SettingsRecord::Set(r.data.kernelDir, "C:\\kernel");
  r.data.cardNumber = kCardNumber;
  r.data.cardClass = kCardClass;
  r.data.pcPort = kPort;
  r.data.baudRate = kBaud;
  plugins_test::RoundTrip(TbcOptPlugin(), r, BoardPages::kLeftOut);
  EXPECT_EQ(r.data.cardNumber, kCardNumber);
  EXPECT_EQ(r.data.cardClass, kCardClass);
  EXPECT_EQ(r.data.pcPort, kPort);
  EXPECT_EQ(r.data.baudRate, kBaud);
  EXPECT_STREQ(r.data.kernelDir, "C:\\kernel");
}

TEST(TbcOptions, ConnectionValuesComeBack) {
  constexpr uint16_t kPort = 12, kTasks = 1023, kUnknownInterface = 5;
  constexpr uint32_t kBaud = 115200;
  struct Case {
    const char* kernelDir;
    const char* expected;
  };
  constexpr Case kKernelDirs[] = {{"C:\\kernel", "C:\\kernel\\"},
                                  {"C:\\kernel\\", "C:\\kernel\\"},
                                  {"/opt/kernel/", "/opt/kernel/"},
                                  {"", ""}};
  for (const Case& c : kKernelDirs) {
    SettingsRecord r;
    SettingsRecord::Set(r.data.kernelDir, c.kernelDir);
    r.data.pcPort = kPort;
    r.data.baudRate = kBaud;
    r.data.debuggeeNum = kTasks;
    r.data.cardInterface = kUnknownInterface;
    plugins_test::RoundTrip(TbcOptPlugin(), r);
    EXPECT_STREQ(r.data.kernelDir, c.expected);
    EXPECT_EQ(r.data.pcPort, kPort);
    EXPECT_EQ(r.data.baudRate, kBaud);
    EXPECT_EQ(r.data.debuggeeNum, kTasks);
    EXPECT_EQ(r.data.cardInterface, kUnknownInterface);  // no button chosen: kept
  }
}

TEST(TbcOptions, PageTreeHasThirtyNinePages) {
  constexpr size_t kTbcPages = 39;
  EXPECT_EQ(TbcOptPlugin().pages.size(), kTbcPages);
}

}  // namespace
