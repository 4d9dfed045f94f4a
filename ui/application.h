// The application object: its title is "Vorpanta" (the task-bar text and the
// error box's caption), and an error that escapes every handler still
// reaches the player in the error box instead of ending the program.
#pragma once

#include <QApplication>

class VorpantaApplication : public QApplication {
public:
    VorpantaApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
