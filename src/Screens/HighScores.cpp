#include "Screens/HighScores.h"

// Stand-in bodies until the table and its screens land.
void ShowHighScoresTable(void (*)())
{
}

void DoHighScoreEntry()
{
}
