#include "Screens/HighScores.h"

void DoHighScoreEntry()
{
}

