#include "Enemies/Enemy.h"

int gNumEnemies = 0;
int gMaxEnemies = ENEMY_LIMIT;

void InitEnemyManager()
{
	gNumEnemies = 0;
	gMaxEnemies = ENEMY_LIMIT;
}
