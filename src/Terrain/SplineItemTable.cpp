// The spline item types: one row per type, with the routine that puts an
// item's rider on its loop. Most types ride no loop at all and make nothing.
#include "Terrain/Splines.h"
#include "Enemies/BrainAlien.h"
#include "Enemies/CityCreatures.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/CloudCreatures.h"
#include "Enemies/FarmCreatures.h"
#include "Enemies/FireIceCreatures.h"
#include "Enemies/JungleCreatures.h"
#include "Enemies/RobotEnemies.h"
#include "Items/Contraptions.h"
#include "Items/Hazards.h"
#include "Items/Humans.h"
#include "Items/SplinePlatforms.h"

bool AddSplineItemNotBuiltYet(int, SplineItemType*)
{
	return false;
}

// Unnamed rows are types that never ride a loop.
const SplineItemKind kSplineItemRoutines[MAX_SPLINE_ITEM_NUM + 1] =
{
	/*   0 */ {nullptr, AddSplineItemNotBuiltYet},
	/*   1 */ {nullptr, AddSplineItemNotBuiltYet},
	/*   2 */ {nullptr, AddSplineItemNotBuiltYet},
	/*   3 */ {nullptr, AddSplineItemNotBuiltYet},
	/*   4 */ {"Human", AddHumanOnSpline},
	/*   5 */ {nullptr, AddSplineItemNotBuiltYet},
	/*   6 */ {nullptr, AddSplineItemNotBuiltYet},
	/*   7 */ {"BrainAlien", AddCreatureOnSpline<kBrainAlienKind>},
	/*   8 */ {"Onion", AddCreatureOnSpline<kOnionKind>},
	/*   9 */ {"Corn", AddCreatureOnSpline<kCornKind>},
	/*  10 */ {"Tomato", AddCreatureOnSpline<kTomatoKind>},
	/*  11 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  12 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  13 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  14 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  15 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  16 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  17 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  18 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  19 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  20 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  21 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  22 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  23 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  24 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  25 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  26 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  27 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  28 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  29 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  30 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  31 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  32 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  33 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  34 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  35 */ {"Boat", PrimeMagnetMonster},
	/*  36 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  37 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  38 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  39 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  40 */ {"SplinePlatform", AddSplinePlatform},
	/*  41 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  42 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  43 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  44 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  45 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  46 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  47 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  48 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  49 */ {"Flamester", AddCreatureOnSpline<kFlamesterKind>},
	/*  50 */ {"GiantLizard", AddCreatureOnSpline<kGiantLizardKind>},
	/*  51 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  52 */ {"Mantis", AddCreatureOnSpline<kMantisKind>},
	/*  53 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  54 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  55 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  56 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  57 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  58 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  59 */ {"Mutant", AddCreatureOnSpline<kMutantKind>},
	/*  60 */ {"MutantRobot", AddCreatureOnSpline<kMutantRobotKind>},
	/*  61 */ {"HumanType2", AddHumanType2OnSpline},
	/*  62 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  63 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  64 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  65 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  66 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  67 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  68 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  69 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  70 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  71 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  72 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  73 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  74 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  75 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  76 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  77 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  78 */ {"Clown", AddCreatureOnSpline<kClownKind>},
	/*  79 */ {"ClownFish", AddCreatureOnSpline<kClownFishKind>},
	/*  80 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  81 */ {"StrongMan", AddCreatureOnSpline<kStrongManKind>},
	/*  82 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  83 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  84 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  85 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  86 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  87 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  88 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  89 */ {"ArmBot", AddCreatureOnSpline<kArmBotKind>},
	/*  90 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  91 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  92 */ {"IceCube", AddCreatureOnSpline<kIceCubeKind>},
	/*  93 */ {"HammerBot", AddCreatureOnSpline<kHammerBotKind>},
	/*  94 */ {"DrillBot", AddCreatureOnSpline<kDrillBotKind>},
	/*  95 */ {"SwingerBot", AddCreatureOnSpline<kSwingerBotKind>},
	/*  96 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  97 */ {nullptr, AddSplineItemNotBuiltYet},
	/*  98 */ {"FloatingPlatform", AddFloatingPlatformOnSpline},
	/*  99 */ {nullptr, AddSplineItemNotBuiltYet},
	/* 100 */ {nullptr, AddSplineItemNotBuiltYet},
	/* 101 */ {nullptr, AddSplineItemNotBuiltYet},
	/* 102 */ {nullptr, AddSplineItemNotBuiltYet},
	/* 103 */ {"Drifter", AddDriftingMine},
};
