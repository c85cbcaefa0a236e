// Private: Qt dialogs that a person answers (message boxes, file dialogs),
// run modally on the layer's message queue.
#pragma once

class QDialog;

namespace mirt_ui {

// Shows the dialog application-modal and runs the layer's queue until it
// closes, so that timers, paints and the test hook are served meanwhile; a
// quit message rejects the dialog and stays for the outer loop. True when
// the dialog was accepted. Once it closes, the layer's active window has
// the keyboard again.
bool RunPersonDialog(QDialog& dialog);

}  // namespace mirt_ui
