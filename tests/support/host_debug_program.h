// A small C program the debugger tests build with gcc -g and step through.
#pragma once

namespace mirt_test {

// Lines of kHostDebugProgram: add's first line and its return, main's first
// line, the call of add, the line after it.
constexpr int kHostAddFirstLine = 4, kHostAddReturnLine = 5, kHostMainFirstLine = 8, kHostCallLine = 10,
              kHostPrintLine = 11;
constexpr auto kHostDebugProgram =
    "#include <stdio.h>\n"
    "struct pt { int x; int y; };\n"
    "int add(int a, int b) {\n"
    "  int s = a + b;\n"
    "  return s;\n"
    "}\n"
    "int main(void) {\n"
    "  struct pt p = {1, 2};\n"
    "  int total = 0;\n"
    "  total = add(p.x, p.y);\n"
    "  printf(\"total=%d\\n\", total);\n"
    "  return 0;\n"
    "}\n";

// A host-gcc project file for kHostDebugProgram saved as demo.c beside it.
constexpr auto kHostDebugProject =
    "VERSION=MIRT-KPJ0\r\nENVIRON=Linux host C++ (gcc)\r\nEXE=demo.elf\r\nSOURCEFILES=demo.c \r\n"
    "TOOLDIR=/usr/bin\r\nMAKE=make\r\nCC=gcc\r\nCFLAGS=-g -O0\r\nOBJSUFFIX=o\r\nCARDCLASS=QJX\r\n"
    "CARDNUMBER=0\r\n";

}  // namespace mirt_test
