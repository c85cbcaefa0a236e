// Everything of platform/sys.
#pragma once
#include "platform/base/base.h"
#include "platform/sys/cfile.h"
#include "platform/sys/environment.h"
#include "platform/sys/file.h"
#include "platform/sys/inifile.h"
#include "platform/sys/library.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/path.h"
#include "platform/sys/process_exit.h"
#include "platform/sys/profile.h"
#include "platform/sys/registry.h"
#include "platform/sys/time.h"
