// The item types a level's terrain file may place, one row each, with the
// routine that turns an item of that type into its object(s).
#include "Terrain/TerrainItems.h"
#include "Effects/Particles.h"
#include "Enemies/AlienPortal.h"
#include "Enemies/BrainAlien.h"
#include "Enemies/RobotEnemies.h"
#include "Enemies/Blobs.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/BrainBoss.h"
#include "Enemies/JungleBoss.h"
#include "Enemies/CityCreatures.h"
#include "Enemies/CloudCreatures.h"
#include "Items/GraveStones.h"
#include "Enemies/FarmCreatures.h"
#include "Enemies/FireIceCreatures.h"
#include "Enemies/Tractor.h"
#include "Enemies/JungleCreatures.h"
#include "Effects/Sparkles.h"
#include "Items/Contraptions.h"
#include "Items/Hazards.h"
#include "Items/Humans.h"
#include "Items/Powerups.h"
#include "Items/Rides.h"
#include "Items/TouchItems.h"
#include "Items/Scenery.h"
#include "Items/SlimeHazards.h"
#include "Player/Player.h"
#include "Screens/Infobar.h"

bool AddNothing(TerrainItemEntryType*, float, float)
{
	return false;
}

bool AddItemNotBuiltYet(TerrainItemEntryType*, float, float)
{
	return false;
}

// Types 0, 35, 40, 41, 79, 86 and 103 make nothing on purpose: 0 is the
// player's start, read by the grouping, and the others only mark places that
// other code looks up in the item list (41 is the blob boss machine's centre).
const TerrainItemKind kItemAddRoutines[MAX_ITEM_NUM + 1] =
{
	/*   0 */ {"Start", AddNothing},
	/*   1 */ {"BasicPlant", AddSceneryItem},
	/*   2 */ {"PodShower", AddPodShower},
	/*   3 */ {"Squooshy", AddCreature<kSquooshyKind>},
	/*   4 */ {"Human", AddHuman},
	/*   5 */ {"Atom", AddAtom},
	/*   6 */ {"PowerupPod", MakePowerupBalloon},
	/*   7 */ {"BrainAlien", AddCreature<kBrainAlienKind>},
	/*   8 */ {"Onion", AddCreature<kOnionKind>},
	/*   9 */ {"Corn", AddCreature<kCornKind>},
	/*  10 */ {"Tomato", AddCreature<kTomatoKind>},
	/*  11 */ {"SceneryObject1", AddSceneryItem},
	/*  12 */ {"SceneryObject2", AddSceneryItem},
	/*  13 */ {"JetBreakable", AddJetBreakable},
	/*  14 */ {"SceneryObject22", AddSceneryItem},
	/*  15 */ {"Tractor", AddTractor},
	/*  16 */ {"EnemySprout", AddEnemySprout},
	/*  17 */ {"SceneryObject16", AddSceneryItem},
	/*  18 */ {"SceneryObject20", AddSceneryItem},
	/*  19 */ {"JetBreakable2", AddSpeedBreakable},
	/*  20 */ {"SceneryByKind", AddSceneryItem},
	/*  21 */ {"SceneryObject23", AddSceneryItem},
	/*  22 */ {"SceneryObject25", AddSceneryItem},
	/*  23 */ {"SceneryObject26", AddSceneryItem},
	/*  24 */ {"SceneryObject27", AddSceneryItem},
	/*  25 */ {"SceneryObject30", AddSceneryItem},
	/*  26 */ {"Exit", AddExitSaucer},
	/*  27 */ {"Checkpoint", AddCheckpoint},
	/*  28 */ {"SlimePipe", AddSceneryItem},
	/*  29 */ {"FallingCrystal", AddFallingCrystal},
	/*  30 */ {"Blob", AddBlob},
	/*  31 */ {"BouncePad", AddBouncePad},
	/*  32 */ {"BasicCrystal", AddSceneryItem},
	/*  33 */ {"FloatingPod", AddFloatingPod},
	/*  34 */ {"SceneryGroup", AddSceneryItem},
	/*  35 */ {"Marker35", AddNothing},
	/*  36 */ {"SolidTrigger", AddSceneryItem},
	/*  37 */ {"BubblePump", AddBubblePump},
	/*  38 */ {"SceneryObject7", AddSceneryItem},
	/*  39 */ {"SpinningPlatform", AddSpinningPlatform},
	/*  40 */ {"Marker40", AddNothing},
	/*  41 */ {"BlobBossCentre", AddNothing},
	/*  42 */ {"SceneryObject31", AddSceneryItem},
	/*  43 */ {"SceneryObject1Big", AddSceneryItem},
	/*  44 */ {"GiantJetBreakable", AddGiantJetBreakable},
	/*  45 */ {"Crusher", AddCrusher},
	/*  46 */ {"ManholeCover", AddManholeCover},
	/*  47 */ {"SpinningRings", AddSpinningRings},
	/*  48 */ {"SceneryObject6", AddSceneryItem},
	/*  49 */ {"Flamester", AddCreature<kFlamesterKind>},
	/*  50 */ {"GiantLizard", AddCreature<kGiantLizardKind>},
	/*  51 */ {"VenusFlytrap", AddCreature<kVenusFlytrapKind>},
	/*  52 */ {"Mantis", AddCreature<kMantisKind>},
	/*  53 */ {"Turtle", AddTurtle},
	/*  54 */ {"GiantBreakable", AddGiantBreakable},
	/*  55 */ {"BouncyObject", AddBouncyObject},
	/*  56 */ {"HelpTrigger", AddHelpTrigger},
	/*  57 */ {"Teleporter", AddTeleporter},
	/*  58 */ {"ZipLine", AddZipLinePost},
	/*  59 */ {"Mutant", AddCreature<kMutantKind>},
	/*  60 */ {"MutantRobot", AddCreature<kMutantRobotKind>},
	/*  61 */ {"HumanType2", AddHumanType2},
	/*  62 */ {"FloatingMine", AddFloatingMine},
	/*  63 */ {"LampPost", AddSceneryItem},
	/*  64 */ {"JetDebris", AddJetDebris},
	/*  65 */ {"GraveStone", AddGraveStone},
	/*  66 */ {"CrashedShip", AddSceneryItem},
	/*  67 */ {"Mine", AddMine},
	/*  68 */ {"Rubble", AddSceneryItem},
	/*  69 */ {"TeleporterMap", AddSceneryItem},
	/*  70 */ {"HurtingVent", AddHurtingVent},
	/*  71 */ {"JungleBossTentacleGenerator", AddTentacleGenerator},
	/*  72 */ {"JungleBossPitcherPlant", AddPitcherPlant},
	/*  73 */ {"JungleBossPodPlant", AddPodPlant},
	/*  74 */ {"JungleBossLight", AddJungleBossLight},
	/*  75 */ {"Cannon", AddCannon},
	/*  76 */ {"BumperCar", AddBumperCar},
	/*  77 */ {"BlockWall", AddBlockWall},
	/*  78 */ {"Clown", AddCreature<kClownKind>},
	/*  79 */ {"Marker79", AddNothing},
	/*  80 */ {"BumperPole", AddBumperPole},
	/*  81 */ {"StrongMan", AddCreature<kStrongManKind>},
	/*  82 */ {"BumperCarGate", AddBumperCarGate},
	/*  83 */ {"RocketSled", AddRocketSled},
	/*  84 */ {"TrapDoor", AddTrapDoor},
	/*  85 */ {"SceneryObject28", AddSceneryItem},
	/*  86 */ {"Marker86", AddNothing},
	/*  87 */ {"LevelObject1Big", AddSceneryItem},
	/*  88 */ {"Volcano", AddVolcano},
	/*  89 */ {"ArmBot", AddCreature<kArmBotKind>},
	/*  90 */ {"ExitLift", AddExitLift},
	/*  91 */ {"RunwayLights", AddRunwayLights},
	/*  92 */ {"IceCube", AddCreature<kIceCubeKind>},
	/*  93 */ {"HammerBot", AddHammerBot},
	/*  94 */ {"DrillBot", AddCreature<kDrillBotKind>},
	/*  95 */ {"SwingerBot", AddCreature<kSwingerBotKind>},
	/*  96 */ {"SceneryObject40", AddSceneryItem},
	/*  97 */ {"Snowball", AddSnowball},
	/*  98 */ {"SinkingPlatform", AddSinkingPlatform},
	/*  99 */ {"ParticleEmitter", AddSmoker},
	/* 100 */ {"SceneryObject8b", AddSceneryItem},
	/* 101 */ {"PeopleHut", AddPeopleHut},
	/* 102 */ {"Tower", AddTower},
	/* 103 */ {"Marker103", AddNothing},
	/* 104 */ {"Turret", AddTurret},
	/* 105 */ {"BrainBossPart", AddBrainBoss},
	/* 106 */ {"SceneryObject29", AddSceneryItem},
	/* 107 */ {"LevelObject4Big", AddSceneryItem},
	/* 108 */ {"AlienPortal", AddAlienPortal},
};
