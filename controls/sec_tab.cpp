#include "controls/sec_tab.h"

IMPLEMENT_DYNAMIC(SECTab, CObject)
