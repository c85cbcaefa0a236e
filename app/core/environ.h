// One build environment of "mirt.cfg".
#pragma once

// The four texts belong to the environment list that read them; projects
// and dialogs copy the pointers, never the texts. Null means not given.
struct CEnviron {
  char* baseMakefile = nullptr;    // BASEMAKEFILE: appended by the Borland-style build
  char* settings = nullptr;        // SETTINGS: project-settings plug-in file
  char* defaultProject = nullptr;  // DEFAULTPROJECT: template, relative to the program directory
  char* name = nullptr;            // ENVIRON: shown in New Project, stored in projects
};
