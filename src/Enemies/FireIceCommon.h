// What the three fire-and-ice creatures share inside their files: the end
// of a move, a knock-back along the robot's heading,
// resizing a creature whose box follows its size, and the ice and fire
// effects their shots use.
#pragma once

#include "System/Objects.h"
#include "Terrain/Collision.h"

#include <cstdint>

namespace FireIce
{
	// Collision classes of the moves: enemy, fence, 0x0800, misc, trigger2, player.
	constexpr uint32_t MOVE_MASK = 0x9849;
	// A frozen or dead body: fences, misc and trigger2 only.
	constexpr uint32_t BODY_MASK = 0x9040;
	// What stops a shot: terrain, fences and solid objects.
	constexpr uint32_t SHOT_STOPPERS = CTYPE_TERRAIN | CTYPE_FENCE | CTYPE_MISC;

	int Anim(const ObjNode* creature);
	void SwitchAnim(ObjNode* creature, int anim, float morphSpeed);
	// Move, ground step with `mask` on the skeleton's box or its own, commit.
	void FinishMove(ObjNode* creature, uint32_t mask, bool useBoundingBox);
	// Thrown back along the robot's heading.
	void KnockBack(ObjNode* creature, float speed, float lift);
	// The robot can be attacked now: in play, alive, not invincible.
	bool RobotIsTarget();
	// New scale (all three axes); a skeleton's box follows at once (`sideFactor`, `topFactor`).
	void ResizeCreature(ObjNode* creature, float scale);
	// Effect at `rate` × normal and `volume`, silent where the level did not load its bank.
	void PlayEffectAt(int effect, const OGLPoint3D& where, float rate, float volume);
	// A handful of drops at `where` (a glob's splat).
	void SplashAt(const OGLPoint3D& where, uint8_t texture);
}
