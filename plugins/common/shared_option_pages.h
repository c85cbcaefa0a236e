// Option pages that both toolchains have alike.
#pragma once

#include "plugins/common/option_table.h"

// The compiler's preprocessor definitions, "," or ";" between them; each
// one is a -D switch.
extern const OptionPageTable kCCDefinitionsPage;
