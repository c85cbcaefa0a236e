// Private: window classes the layer itself provides ("SCROLLBAR", and the
// standard controls added later). Each registers on first use of any class.
#pragma once

namespace mirt_ui {
using ClassRegistrar = void (*)();
// Call from a static initialiser: `static bool r = AddSystemClass(&Fn);`
bool AddSystemClass(ClassRegistrar r);
void RegisterSystemClasses();
}  // namespace mirt_ui
