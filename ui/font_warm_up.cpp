#include "ui/font_warm_up.h"

#include <fontconfig/fontconfig.h>

#include <system_error>
#include <thread>

namespace {

std::thread& Reader()
{
    static std::thread reader;
    return reader;
}

}  // namespace

void StartReadingFontConfiguration()
{
    if (Reader().joinable())
        return;
    try {
        // FcInit makes the configuration every later fontconfig call (Qt's
        // font database among them) uses; fontconfig guards it for threads.
        Reader() = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to be had: Qt reads the configuration when it needs it.
    }
}

void FinishReadingFontConfiguration()
{
    if (Reader().joinable())
        Reader().join();
}
