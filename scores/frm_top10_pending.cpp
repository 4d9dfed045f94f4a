// Placeholder until the top-ten window lands; replaced by scores/frm_top10.cpp.
#include "scores/show_top_ten.h"

#include "platform/app_error.h"

void ShowTopTen(QWidget*, const std::string&, std::int32_t, TopTenMode)
{
    throw AppError("The top-ten table is not built yet");
}
