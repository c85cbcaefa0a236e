// mirt2: the IDE program.
#include "app/disass_frame_link.h"
#include "app/mirt2_app.h"

namespace {
CMirt2App theApp;
CDisassMainFrameLink theDisassFrameLink;
}  // namespace

int main(int argc, char** argv) { return AfxWinMain(argc, argv); }
