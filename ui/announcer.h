// What a screen reader says the moment something happens that no focused
// control shows: a word taken or refused, a word taught, a new game.
//
// Qt 6.4 has no call for it, and the Linux bridge reports a changed name or
// description without its text, which Orca then drops. What Orca does speak
// whatever holds the focus is a notification being shown: the announcer is a
// notification that never appears on screen; each Say names it with the
// sentence and reports it shown.
#pragma once

#include <QWidget>

class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* parent);

    // Says `sentence` now; the same sentence again is said again.
    void Say(const QString& sentence);
    // The last sentence said, or empty.
    QString LastSaid() const;
};
