// The fonts of the windows. The artwork and labels are designed for
// "Comic Sans MS"; where that font is not installed, the bundled Comic Neue
// stands in for it.
#pragma once

#include <QFont>

void InstallFonts();

// The windows' font at a pixel size, bold or not.
QFont HouseFont(int pixels, bool bold);
