#include "debugger/kernel_link.h"

CTDKernelCommunication* g_pKernelLink = nullptr;
