// The rides' level start: nothing is being ridden, the tables are empty and
// the rides' trigger handlers are in place.
#include "Items/Rides.h"
#include "Terrain/Collision.h"

void ClearRideItemPointers()
{
	gZipPulley = nullptr;
	gRocketSled = nullptr;
	for (ZipLineType& zip : gZipLines)
		zip.isActive = zip.hasStart = zip.hasEnd = false;
	for (TeleporterType& t : gTeleporters)
		t = {};
	ResetSpinningPlatformAngle();
	SetTriggerHandler(TRIGGER_KIND_SPINNING_PLATFORM, DoTrig_SpinningPlatform);
	SetTriggerHandler(TRIGGER_KIND_ROCKET_SLED, DoTrig_RocketSled);
}
