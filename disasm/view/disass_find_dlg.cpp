#include "disasm/view/disass_find_dlg.h"

IMPLEMENT_DYNAMIC(DisassOEFindDlg, OEFindDlg)
