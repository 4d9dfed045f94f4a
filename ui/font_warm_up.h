// Reading the system's font configuration takes a good part of start-up; it
// can go on in a thread of its own while the application connects to the
// display and loads its plugins.
#pragma once

// Starts reading the font configuration in the background (once).
void StartReadingFontConfiguration();
// Waits until that reading is done; call it before the first use of fonts.
// Does nothing when it was never started.
void FinishReadingFontConfiguration();
