// Decoded tile pictures, remembered by the bytes of their files.
//
// A tile's picture file is read from disk every time the tile is drawn, but
// the same bytes need decoding only once: a board shows each letter many
// times, and every copy then shares one image (and so one stretched copy in
// the picture controls).
#pragma once

#include <QImage>

#include <string>
#include <unordered_map>

class DecodedPictures {
public:
    // The bitmap picture in `fileBytes`; a null image when they hold none.
    QImage Bitmap(const std::string& fileBytes);

private:
    static constexpr std::size_t kMostRemembered = 256;  // the tiles use 54
    std::unordered_map<std::string, QImage> pictures_;
};
