// The program's Qt application object, made by the layer.
#pragma once

namespace mirt_ui {

// Makes the application object when there is none yet (the thread that
// calls first becomes the GUI thread). AfxWinMain and the first window call
// it, so programs on the layer never make one themselves.
void EnsureApplication(int argc = 0, char** argv = nullptr);

}  // namespace mirt_ui
