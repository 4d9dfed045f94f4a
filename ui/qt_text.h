// Where the game's code page 1250 text meets Qt's Unicode strings.
#pragma once

#include <QString>

#include <string>

QString ToQString(const std::string& cp1250Text);
// Characters the code page cannot hold become '?'.
std::string FromQString(const QString& text);
// Native file-system paths (UTF-8 bytes) to and from Qt.
QString PathToQString(const std::string& path);
