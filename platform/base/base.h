// Everything of platform/base.
#pragma once

#include "platform/base/windef.h"
#include "platform/base/winerror.h"
#include "platform/base/format.h"
#include "platform/base/cstring.h"
