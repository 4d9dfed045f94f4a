// The first start in a data folder: the folder is created with its parents,
// and the word list shipped with the program is copied into it, so that a new
// player's game knows words at once. An existing data folder is left alone,
// so a player who emptied the word list keeps it empty; the one exception is
// a folder whose copy of the list was cut short, which the next start
// finishes.
//
// The copy is crash-safe at every moment. A new data folder comes into being
// by a rename, already holding the marker file ".SzavakLista.placing"; the
// list is written under a temporary name, flushed to disk and renamed into
// place, and only then is the marker removed. A kill at any moment therefore
// leaves either the whole list or no list beside the marker, and a start
// that finds the marker copies the list again. The marker is locked while a
// start works on it, so that two starts at once never copy over each other.
//
// A large list takes a while to copy, so that copy runs in a worker thread
// while the window opens. The game meanwhile reads the same words from the
// shipped file (Source), and the save at close waits for the copy (Wait), so
// that it never races it.
#pragma once

#include <future>
#include <memory>
#include <optional>
#include <string>

#include "app/data_locations.h"

// Where the program keeps the word list it ships with.
std::string ShippedWordListPath(const std::string& programDir);

class WordListCopy {
public:
    // Creates the data folder when it is missing and, when the folder is new
    // or its copy was cut short, starts copying the shipped list in a worker
    // thread. Null when there is nothing to copy. Failures are not
    // reported: a game without a data folder or without the list still runs,
    // and its saves fail as they would anyway.
    static std::shared_ptr<WordListCopy> Start(const DataLocations& locations);
    ~WordListCopy();

    WordListCopy(const WordListCopy&) = delete;
    WordListCopy& operator=(const WordListCopy&) = delete;

    // The shipped list, which holds the words being copied.
    const std::string& Source() const { return source_; }
    // Waits for the copy; true when the data folder then holds the whole list.
    bool Wait();

private:
    WordListCopy(std::string dataDir, std::string source);

    std::string dataDir_;
    std::string source_;
    std::future<bool> copying_;
    std::optional<bool> copied_;
};

// Everything Start does, in the calling thread. Returns true when the data
// folder holds the whole shipped list through this call.
bool PrepareDataFolder(const DataLocations& locations);
