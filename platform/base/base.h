// Everything of platform/base.
#pragma once
