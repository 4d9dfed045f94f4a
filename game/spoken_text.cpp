#include "game/spoken_text.h"

namespace {

// "3. oszlop, 2. sor"
std::string Place(int column, int visibleRow)
{
    return std::to_string(column) + ". oszlop, " + std::to_string(visibleRow) + ". sor";
}

// Without the blanks (and other control bytes) at either end.
std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 0x20)
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 0x20)
        text.remove_suffix(1);
    return text;
}

// "1. hely, 12 345 pont, Anna": a number, what it counts, the points and a
// name, which is left out when blank.
std::string NumberedRow(int number, std::string_view counted, std::string_view scoreText, std::string_view name)
{
    std::string text = std::to_string(number) + ". ";
    text += counted;
    text += ", ";
    text += Trimmed(scoreText);
    text += " pont";
    if (const std::string_view shown = Trimmed(name); !shown.empty()) {
        text += ", ";
        text += shown;
    }
    return text;
}

}  // namespace

std::string TileSpokenName(char letter, int column, int visibleRow, bool selected)
{
    std::string text(1, letter);
    text += ", ";
    text += Place(column, visibleRow);
    if (selected)
        text += ", kijel\xF6lve";
    return text;
}

std::string EmptyCellSpokenName(int column, int visibleRow)
{
    return "\xFCres, " + Place(column, visibleRow);
}

std::string RankedRowSpokenName(int rank, std::string_view scoreText, std::string_view name)
{
    return NumberedRow(rank, "hely", scoreText, name);
}

std::string TakenWordSpokenName(int order, std::int32_t points, std::string_view word)
{
    return NumberedRow(order, "sz\xF3", std::to_string(points), word);
}

std::string OneLineSpokenText(std::string_view text)
{
    std::string line;
    for (const char c : text) {
        if (c != '\r' && c != '\n')
            line += c;
        else if (!line.empty() && line.back() != ' ')
            line += ' ';
    }
    return std::string(Trimmed(line));
}

std::string PointsText(std::int32_t points)
{
    return std::to_string(points) + " pont";
}

std::string WordLineSpokenText(std::string_view wordLine)
{
    // The line is the word, a blank and its points in brackets.
    const std::size_t blank = wordLine.rfind(" (");
    const bool noWord = blank == 0 || wordLine.empty();
    return noWord ? std::string() : std::string(wordLine);
}

std::string SpelledWordSpokenText(std::string_view word, std::int32_t points)
{
    if (word.empty())
        return "Nincs kijel\xF6lt bet\xFB.";
    return std::string(word) + ", " + PointsText(points);
}

std::string TakenWordSpokenText(std::string_view word, std::int32_t points, std::string_view scoreLine)
{
    return std::string(word) + ", " + PointsText(points) + ". " + std::string(scoreLine) + ".";
}

std::string RefusedWordSpokenText(std::string_view word)
{
    if (word.empty())
        return "Nincs kijel\xF6lt sz\xF3.";
    return "Ezt a sz\xF3t nem ismerem: " + std::string(word) + ".";
}

std::string GameOverSpokenText()
{
    return "Ennek a j\xE1t\xE9knak v\xE9ge. \xDAj j\xE1t\xE9k: Ctrl+N.";
}

std::string TaughtWordSpokenText(std::string_view word, bool alreadyKnown)
{
    if (word.empty())
        return alreadyKnown ? "Az \xFCres sz\xF3t m\xE1r ismerem." : "Megtanultam az \xFCres sz\xF3t.";
    return (alreadyKnown ? "Ezt a sz\xF3t m\xE1r ismerem: " : "Megtanultam ezt a sz\xF3t: ") + std::string(word) + ".";
}

std::string NewGameSpokenText()
{
    return "\xDAj j\xE1t\xE9k.";
}

std::string EndOfGameSpokenText(std::int32_t score, int place)
{
    std::string text = "V\xE9ge a j\xE1t\xE9knak: " + PointsText(score);
    if (place > 0)
        return text + ", " + std::to_string(place) + ". hely. \xCDrd be a neved, majd nyomj Entert.";
    return text + ". Ez most nem f\xE9rt be a legjobb t\xEDz k\xF6z\xE9.";
}
