#include "ui/decoded_pictures.h"

#include "ui/bmp_image.h"

QImage DecodedPictures::Bitmap(const std::string& fileBytes)
{
    const auto found = pictures_.find(fileBytes);
    if (found != pictures_.end())
        return found->second;
    QImage picture = DecodeBmp(fileBytes);
    if (picture.isNull())
        return picture;
    if (pictures_.size() >= kMostRemembered)
        pictures_.clear();  // pictures edited over and over: start afresh
    pictures_.emplace(fileBytes, picture);
    return picture;
}
