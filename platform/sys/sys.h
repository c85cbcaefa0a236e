// Everything of platform/sys.
#pragma once
#include "platform/base/base.h"
