// The two games the kill test's saver adds to the record of finished games,
// one in each round: an ordinary board in rounds of version A, today's board
// in rounds of version B.
#pragma once

#include "game/game_record.h"

inline FinishedGame RecordedGame(bool versionA)
{
    if (versionA)
        return {{{2026, 12, 9}, 21, 15, 0}, 1234, 24, "KOALA", 35, std::nullopt};
    return {{{2026, 12, 10}, 7, 0, 59}, 987, 11, "ALMA", 24, CalendarDate{2026, 12, 10}};
}
