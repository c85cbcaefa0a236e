// Private: the file dialogs the layer shows a person.
#pragma once

#include <QFileDialog>
#include <QString>

namespace mirt_ui {

// Options of every file and folder dialog: they pick names and never
// delete, rename or make files or folders themselves.
QFileDialog::Options FileDialogOptions();

}  // namespace mirt_ui
