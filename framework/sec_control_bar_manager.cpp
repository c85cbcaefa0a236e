#include "framework/sec_control_bar_manager.h"

IMPLEMENT_DYNAMIC(SECControlBarManager, CObject)
