// Weapon types: every attack in the game is one of these numbers, and every
// node answers a hit of each type through HitByWeaponHandler[type] (the
// handler signature is in System/Objects.h). The inventory, firing and the
// projectiles use the same numbers.
#pragma once

enum WeaponType
{
	WEAPON_STUNGUN = 0,			// straight fast shot
	WEAPON_FREEZEGUN = 1,		// slow shot that bursts into frost
	WEAPON_ARCSHOT = 2,			// spinning shot that sinks under gravity
	WEAPON_GROWTH = 3,			// makes the robot giant; no projectile
	WEAPON_FLARE = 4,			// slow shot that homes on the nearest enemy
	WEAPON_FIST = 5,			// the punch; `weapon` is the punching hand
	WEAPON_NOVA = 6,			// charged discharge; no weapon node, point or delta
	WEAPON_DART = 7,			// thrown homing dart
	WEAPON_SAUCERBEAM = 8,		// a saucer's beam taking the node; target alone
	WEAPON_JETHIT = 9,			// the robot's hands striking during a jump jet; target alone
	WEAPON_HURT = 10,			// direct damage: target and `damage` only
	NUM_WEAPON_KINDS = 11		// = NUM_WEAPON_TYPES, the handler slots of a node
};
