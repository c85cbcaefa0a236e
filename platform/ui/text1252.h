// Private: bytes shown as Windows-1252, to and from Qt strings.
#pragma once

#include <QString>
#include <string>

namespace mirt_ui {
QString From1252(const char* s, int len = -1);
std::string To1252(const QString& s);
// The byte for one character; -1 when it has none.
int CharTo1252(QChar c);
}  // namespace mirt_ui
