// What every test source includes, compiled once for all test programs.
#pragma once

#include "cmake/pch/std.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
