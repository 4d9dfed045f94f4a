// The game's side of the word lists: loading them at start, looking up the
// spelled word, teaching a new one, and saving them at close.
#include "game/game.h"
#include "game/board_view.h"
#include "game/spoken_text.h"
#include "game/word_lists.h"

void Game::LoadWordLists(const std::string& dataDir, std::shared_ptr<WordListCopy> copy)
{
    // When a file cannot be read, the lists keep what was read before it
    // (a readable dictionary stays in use); the unread file is not saved over.
    lists_ = std::make_unique<WordLists>();
    lists_->Load(dataDir, std::move(copy));
}

void Game::SaveWordLists()
{
    if (lists_)
        lists_->SaveChanged();
}

bool Game::IsKnownWord() const
{
    return lists_ && lists_->IsKnown(selection_.lastWord);
}

void Game::AddLastWord()
{
    // Start-up may have stopped before the lists were read; the word is then
    // kept in empty lists that are not saved over files never read.
    if (!lists_)
        lists_ = std::make_unique<WordLists>();
    const bool known = lists_->IsKnown(selection_.lastWord);
    lists_->AddWord(selection_.lastWord);
    view_.Announce(TaughtWordSpokenText(selection_.lastWord, known));
}
