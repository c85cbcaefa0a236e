#include "controls/sec_3d_tab.h"

IMPLEMENT_DYNAMIC(SEC3DTab, SECTab)
