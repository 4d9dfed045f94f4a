#include "ui/picture_preload.h"

#include <QHash>
#include <QLocale>
#include <QResource>

#include <mutex>
#include <system_error>
#include <thread>

#include "ui/png_image.h"

namespace {

struct Preload {
    std::mutex mutex;  // guards everything below
    std::thread worker;
    QHash<QString, QImage> pictures;

    ~Preload()
    {
        if (worker.joinable())
            worker.join();
    }
};

Preload& State()
{
    static Preload state;
    return state;
}

}  // namespace

void StartPreloadingPictures(const QStringList& paths)
{
    Preload& state = State();
    const std::lock_guard<std::mutex> lock(state.mutex);
    if (state.worker.joinable())
        return;
    try {
        state.worker = std::thread([paths] {
            QHash<QString, QImage> decoded;
            // No QObject may be made here (a QFile is one): the first thread
            // that makes one becomes Qt's main thread.
            for (const QString& path : paths) {
                const QResource resource(path, QLocale::c());
                if (resource.isValid())
                    decoded.insert(path, DecodePng(resource.uncompressedData()));
            }
            Preload& state = State();
            const std::lock_guard<std::mutex> lock(state.mutex);
            state.pictures = std::move(decoded);
        });
    } catch (const std::system_error&) {
        // No thread to be had: the pictures are decoded when they are needed.
    }
}

QImage TakePreloadedPicture(const QString& path)
{
    Preload& state = State();
    std::thread worker;
    {
        const std::lock_guard<std::mutex> lock(state.mutex);
        worker = std::move(state.worker);
    }
    if (worker.joinable())
        worker.join();
    const std::lock_guard<std::mutex> lock(state.mutex);
    return state.pictures.take(path);
}
