// One game per data folder.
//
// The lock is a listening local socket whose name is made from the data
// folder's canonical path (links resolved, so two ways of naming one folder
// meet). It lives in the kernel's abstract socket namespace: no file stands
// for it anywhere, and it goes away with the last process that holds it,
// however that process ends. A lock that no running process holds is
// therefore no lock, and a killed game never keeps the next one from
// starting.
//
// A start that finds the lock held knocks: it connects to the socket, and
// the game that holds it brings its window to the front and answers "in
// front", or answers "ending" while it is closing. A start that is answered
// "ending", or whose knock the holder leaves unanswered when it ends, waits
// for the lock and takes it once the saves are done.
#pragma once

#include <chrono>
#include <string>

class GameLock {
public:
    enum class Outcome {
        Taken,         // this process holds the lock now
        OtherInFront,  // another game holds it and was asked to come to the front
        Unavailable,   // the system has no such sockets; the game runs unlocked
    };
    // What the holder answers a knock.
    enum class Answer : char { InFront = 'F', Ending = 'E' };

    explicit GameLock(const std::string& dataDir);
    ~GameLock();
    GameLock(const GameLock&) = delete;
    GameLock& operator=(const GameLock&) = delete;

    // Takes the lock, or knocks on the game that holds it. Waits at most
    // `patience` for an ending game to let go, and as long for an answer
    // from a game that holds the lock; a game that holds it and answers
    // nothing within that time counts as in front (no second game is run
    // beside a living one).
    Outcome TakeOrKnock(std::chrono::milliseconds patience = std::chrono::seconds(30));

    // The listening socket while the lock is held (else -1): readable when
    // a later start knocks.
    int Socket() const { return listening_; }
    // Answers every knock waiting; returns how many there were.
    int AnswerKnocks(Answer answer);
    // Lets go of the lock: the next start takes it. Knocks that were waiting
    // see the holder go and try again.
    void Release();

    // The socket's name for a data folder (without the leading zero byte of
    // the abstract namespace).
    static std::string NameFor(const std::string& dataDir);
    // The folder's path with links and "." and ".." resolved as far as it
    // exists; the missing rest is appended as given.
    static std::string CanonicalFolder(const std::string& path);

private:
    std::string name_;
    int listening_ = -1;
};
