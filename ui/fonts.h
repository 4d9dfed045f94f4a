// The fonts of the windows. The artwork and labels are designed for
// "Comic Sans MS"; where that font is not installed, the bundled Comic Neue
// stands in for it.
#pragma once

void InstallFonts();
