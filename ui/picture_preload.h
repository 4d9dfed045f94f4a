// The pictures every start shows, decoded in a thread of their own while the
// application connects to the display.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// Starts decoding the PNG pictures at `paths` (resource paths, ":/...") in
// the background. Once only; before the first LoadPng.
void StartPreloadingPictures(const QStringList& paths);

// The picture preloaded for `path`, after waiting for the preloading to end;
// a null image when it was not preloaded (or preloading never started).
QImage TakePreloadedPicture(const QString& path);
