// mirt2: the IDE program.
#include "app/mirt2_app.h"

namespace {
CMirt2App theApp;
}

int main(int argc, char** argv) { return AfxWinMain(argc, argv); }
