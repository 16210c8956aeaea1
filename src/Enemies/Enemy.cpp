#include "Enemies/Enemy.h"

void InitEnemyManager()
{
}

