// Names and texts the makefile writer and the build commands derive from
// the project.
#pragma once

#include <string>

class ProjectData;

// The Borland-style toolchain: CC contains "bcc" (letter case counts).
bool UsesBorlandToolchain(const ProjectData& project);
// The project folder, "\" and EXE with its part from the first "." on
// replaced by ".mak" (".mak" appended when EXE has no ".").
std::string MakefilePathOf(const ProjectData& project);
// The source entry with the text after its last "." replaced by the
// suffix; an entry whose file name has no "." gets "." and the suffix.
std::string ObjectNameOf(const char* source, const char* suffix);
// TOOLDIR from its first "\usr\" on (all of it without one), with "/" for
// every "\".
std::string GnuToolDir(const char* toolDir);
// LINKFLAGS as -Wl options, but "-static" as gcc's own: " -static
// -Wl,-Map,Mapfile" for "-static -Map Mapfile ".
std::string JoinLinkerOptions(const char* linkFlags);
