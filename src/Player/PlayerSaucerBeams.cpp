// The saucer's beams and hold as plain steps (no nodes, no GL).
#include "Player/PlayerSaucerBeams.h"

#include <algorithm>

void SelectOtherSaucerBeam(SaucerBeamState* beam)
{
	beam->selected = beam->selected == SAUCER_BEAM_TRACTOR ? SAUCER_BEAM_DESTROY : SAUCER_BEAM_TRACTOR;
}

bool IsSaucerBeamBusy(const SaucerBeamState& beam)
{
	return beam.charging != SAUCER_BEAM_NONE || beam.on != SAUCER_BEAM_NONE;
}

SaucerBeamEvent UpdateSaucerBeamCharge(SaucerBeamState* beam, bool shootPressed, bool humansRising, float dt)
{
	if (!IsSaucerBeamBusy(*beam))
	{
		if (!shootPressed)
			return SAUCER_BEAM_EVENT_NONE;
		beam->charging = beam->selected;
		beam->charge[beam->charging] = 0;
		return SAUCER_BEAM_EVENT_CHARGING;
	}

	if (beam->charging != SAUCER_BEAM_NONE)
	{
		float& c = beam->charge[beam->charging];
		c += SAUCER_BEAM_CHARGE_RATE * dt;
		if (c < 1)
			return SAUCER_BEAM_EVENT_NONE;
		c = 1;
		beam->on = beam->charging;
		beam->charging = SAUCER_BEAM_NONE;
		return SAUCER_BEAM_EVENT_ON;
	}

	if (beam->on == SAUCER_BEAM_UNLOAD)
		return SAUCER_BEAM_EVENT_NONE;
	float& c = beam->charge[beam->on];
	c = std::max(0.0f, c - SAUCER_BEAM_DRAIN_RATE * dt);
	// A human half way up would drop out of a beam that went off under it.
	if (c > 0 || humansRising)
		return SAUCER_BEAM_EVENT_NONE;
	beam->on = SAUCER_BEAM_NONE;
	return SAUCER_BEAM_EVENT_OFF;
}

void StartSaucerUnloadBeam(SaucerBeamState* beam)
{
	if (beam->charging != SAUCER_BEAM_NONE)
		beam->charge[beam->charging] = 0;
	if (beam->on == SAUCER_BEAM_TRACTOR || beam->on == SAUCER_BEAM_DESTROY)
		beam->charge[beam->on] = 0;
	beam->charging = SAUCER_BEAM_NONE;
	beam->on = SAUCER_BEAM_UNLOAD;
}

void StopSaucerBeam(SaucerBeamState* beam)
{
	beam->charging = SAUCER_BEAM_NONE;
	beam->on = SAUCER_BEAM_NONE;
}

bool SaucerCanTakeHuman(const SaucerCargo& cargo)
{
	return cargo.count + cargo.rising < SAUCER_MAX_CARGO;
}

void SaucerCargoHumanRising(SaucerCargo* cargo)
{
	cargo->rising++;
}

bool SaucerCargoBoard(SaucerCargo* cargo, int humanType)
{
	cargo->rising = std::max(0, cargo->rising - 1);
	if (cargo->count >= SAUCER_MAX_CARGO)
		return false;
	cargo->kinds[cargo->count++] = uint8_t(humanType);
	return true;
}

void StartSaucerUnload(SaucerUnload* unload)
{
	unload->active = true;
	unload->timer = SAUCER_UNLOAD_FIRST_DELAY;
}

int StepSaucerUnload(SaucerUnload* unload, SaucerCargo* cargo, float dt)
{
	if (!unload->active)
		return -1;
	if (cargo->count == 0)
	{
		unload->active = false;
		return -1;
	}
	unload->timer -= dt;
	if (unload->timer > 0)
		return -1;
	unload->timer += SAUCER_UNLOAD_INTERVAL;
	int kind = cargo->kinds[0];
	std::copy(cargo->kinds + 1, cargo->kinds + cargo->count, cargo->kinds);
	cargo->count--;
	if (cargo->count == 0)
		unload->active = false;
	return kind;
}

bool CanSaucerDropRobot(float exitCharge, const SaucerBeamState& beam, const SaucerCargo& cargo, float distanceToDropPoint)
{
	return exitCharge >= 1.0f && !IsSaucerBeamBusy(beam) && cargo.count == 0 && cargo.rising == 0
		&& distanceToDropPoint < SAUCER_LANDING_REACH;
}
