// Text that must stay whole inside a fixed width (the word line, the words
// window's rows and lines): its letters get smaller, a pixel at a time, until
// every line of it fits; text that fits at the full size keeps it.
#pragma once

class QLabel;
class QString;

// Shows `text` in `label` at the largest pixel size from `largest` down to
// `smallest` at which each of its lines is at most `width` pixels wide.
void ShowFitted(QLabel* label, const QString& text, int width, int largest, int smallest);
