#include "plugins/common/shared_option_pages.h"

const OptionPageTable kCCDefinitionsPage = {
    "CCDefinitions",
    {{MemberKind::kEdit, 1059}},
    {{ParseOp::kEmptyText, 0}, {ParseOp::kAppendComma, 0, "-D"}},
    {{BuildOp::kPieces, 0, "-D", 0, ",;"}},
};
