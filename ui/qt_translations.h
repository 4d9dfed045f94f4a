// Qt's own texts (the edits' context menus, the standard buttons) in
// Hungarian, like the rest of the game, whatever the system's language.
#pragma once

class QCoreApplication;

// Installs Qt's Hungarian translations from the system's Qt translation
// folder; without them Qt's texts stay English and nothing else changes.
void InstallHungarianQtTexts(QCoreApplication& application);
