// Windows bitmap pictures (the letter tiles).
#pragma once

#include <QImage>

#include <string_view>

// Decodes bitmap file data. The uncompressed 24- and 32-bit pictures the
// tiles are made of are read directly, which spares loading Qt's image
// plugins while the window opens; every other kind of bitmap goes through
// Qt's reader. A null image when the data is no bitmap picture, a plain one
// cut short, or one wider or higher than 16384 pixels.
QImage DecodeBmp(std::string_view data);
