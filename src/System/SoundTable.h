// The game's sound effects, banks and songs: numbers, files and settings.
// The baker writes the files these rows name, so both read this one table.
#pragma once

#include <cstdint>
#include <string>

enum SoundBankNumber : int32_t
{
	SOUND_BANK_MAIN = 0,		// loaded at boot, kept for the whole run
	SOUND_BANK_MENU,
	SOUND_BANK_BONUS,
	SOUND_BANK_FARM,
	SOUND_BANK_SLIME,
	SOUND_BANK_APOCALYPSE,
	SOUND_BANK_CLOUD,
	SOUND_BANK_JUNGLE,
	SOUND_BANK_FIREICE,
	SOUND_BANK_SAUCER,
	SOUND_BANK_BRAINBOSS,
	SOUND_BANK_LOSE,
	NUM_SOUND_BANKS
};

// Effect numbers. A name that appears in more than one bank carries its bank
// in the constant unless it is the main bank's.
enum EffectNumber : int32_t
{
	EFFECT_BADSELECT,
	EFFECT_SAUCER,
	EFFECT_STUNGUN,
	EFFECT_ZAP,
	EFFECT_ROCKET,
	EFFECT_LANDED,
	EFFECT_JUMPJET,
	EFFECT_SHATTER,
	EFFECT_WEAPONCLICK,
	EFFECT_WEAPONWHIR,
	EFFECT_NEWLIFE,
	EFFECT_FREEZEGUN,
	EFFECT_PUNCHHIT,
	EFFECT_PLAYERCRASH,
	EFFECT_NOJUMPJET,
	EFFECT_PLAYERCRUSH,
	EFFECT_HEADSWOOSH,
	EFFECT_HEADTHUD,
	EFFECT_POWPODHIT,
	EFFECT_METALLAND,
	EFFECT_SERVO,
	EFFECT_LEFTFOOT,
	EFFECT_RIGHTFOOT,
	EFFECT_NOVACHARGE,
	EFFECT_TELEPORTHUMAN,
	EFFECT_CHECKPOINTHIT,
	EFFECT_CHECKPOINTLOOP,
	EFFECT_FLARESHOOT,
	EFFECT_FLAREEXPLODE,
	EFFECT_DARTWOOSH,
	EFFECT_ATOMCHIME,
	EFFECT_PLAYERCLANG,
	EFFECT_THROWNSWOOSH,
	EFFECT_BEAMHUM,
	EFFECT_JUMP,
	EFFECT_HEALTHWARNING,
	EFFECT_HATCH,
	EFFECT_BRAINWAVE,
	EFFECT_WEAPONDEPOSIT,
	EFFECT_BRAINDIE,
	EFFECT_LASERHIT,
	EFFECT_FLAREUP,
	EFFECT_FREEZEPOOF,
	EFFECT_CHANGEWEAPON,
	EFFECT_GIANTFOOTSTEP,
	EFFECT_MENUCHANGE,
	EFFECT_AMBIENCE,
	EFFECT_ACCENTDRONE1,
	EFFECT_ACCENTDRONE2,
	EFFECT_BONUS_TELEPORTHUMAN,
	EFFECT_POINTBEEP,
	EFFECT_BONUS_TRACTORBEAM,
	EFFECT_BONUS_ROCKET,
	EFFECT_POPCORNPOP,
	EFFECT_SHOOTCORN,
	EFFECT_METALGATEHIT,
	EFFECT_METALGATECRASH,
	EFFECT_TRACTOR,
	EFFECT_ONIONSWOOSH,
	EFFECT_WOODGATESMASH,
	EFFECT_TOMATOJUMP,
	EFFECT_TOMATOSPLAT,
	EFFECT_WOODDOORHIT,
	EFFECT_ONIONSPLAT,
	EFFECT_CORNCRUNCH,
	EFFECT_BUBBLEPOP,
	EFFECT_SLIMEMONSTER,
	EFFECT_BOAT,
	EFFECT_CRYSTALCRACK,
	EFFECT_PIPES,
	EFFECT_CRYSTALCRASH,
	EFFECT_BUMPERBUBBLE,
	EFFECT_BOSSOPEN,
	EFFECT_BLOBSHOOT,
	EFFECT_SLIME_BEAMHUM,
	EFFECT_SLIMEBOUNCE,
	EFFECT_SLIMEBOOM,
	EFFECT_BLOBBOSSBOOM,
	EFFECT_AIRPUMP,
	EFFECT_PODBUZZ,
	EFFECT_PODCRASH,
	EFFECT_MANHOLEBLAST,
	EFFECT_PODWORM,
	EFFECT_MANHOLEROLL,
	EFFECT_DOORCLANKOPEN,
	EFFECT_DOORCLANKCLOSE,
	EFFECT_APOCALYPSE_MINEEXPLOSION,
	EFFECT_MUTANTROBOTSHOOT,
	EFFECT_MUTANTGROWL,
	EFFECT_TELEPORT,
	EFFECT_TELEPORTERDRONE,
	EFFECT_DEBRISSMASH,
	EFFECT_CANNONFIRE,
	EFFECT_BUMPERHIT,
	EFFECT_BUMPERCARHUM,
	EFFECT_BUMPERPOLETAP,
	EFFECT_BUMPERPOLEHUM,
	EFFECT_BUMPERPOLEOFF,
	EFFECT_CLOWNBUBBLEPOP,
	EFFECT_INFLATEBALLOON,
	EFFECT_BOMBDROP,
	EFFECT_BUMPERPOLEBREAK,
	EFFECT_CLOUD_ROCKETSLED,
	EFFECT_TRAPDOOR,
	EFFECT_BALLOONPOP,
	EFFECT_YAAA,
	EFFECT_BIRDBOMBBOOM,
	EFFECT_CONFETTIBOOM,
	EFFECT_FISHBOOM,
	EFFECT_ACIDSIZZLE,
	EFFECT_LIZARDROAR,
	EFFECT_FIREBREATH,
	EFFECT_INHALE,
	EFFECT_SPIT,
	EFFECT_BIGDOORSMASH,
	EFFECT_JUNGLE_TRACTORBEAM,
	EFFECT_PITCHERPAIN,
	EFFECT_PITCHERPUKE,
	EFFECT_FLYTRAP,
	EFFECT_PITCHERBOOM,
	EFFECT_PODSHOOT,
	EFFECT_PODBOOM,
	EFFECT_VOLCANOBLOW,
	EFFECT_METALHIT,
	EFFECT_SWINGERDRONE,
	EFFECT_METALHIT2,
	EFFECT_SAUCERHATCH,
	EFFECT_ICECRACK,
	EFFECT_ROBOTEXPLODE,
	EFFECT_HAMMERSQUEAK,
	EFFECT_DRILLBOTWHINE,
	EFFECT_DRILLBOTWHINEHI,
	EFFECT_PILLARCRUNCH,
	EFFECT_FIREICE_ROCKETSLED,
	EFFECT_SPLATHIT,
	EFFECT_SQUOOSHYSHOOT,
	EFFECT_SLEDEXPLODE,
	EFFECT_SAUCER_MINEEXPLOSION,
	EFFECT_SAUCERHIT,
	EFFECT_BRAINSTATIC,
	EFFECT_BRAINBOSSSHOOT,
	EFFECT_BRAINBOSSDIE,
	EFFECT_PORTALBOOM,
	EFFECT_BRAINPAIN,
	EFFECT_CONVEYORBELT,
	EFFECT_TRANSFORM,
	NUM_EFFECTS
};
static_assert(NUM_EFFECTS == 146);

enum SongNumber : int32_t
{
	SONG_THEME = 0,
	SONG_FARM,
	SONG_SLIME,
	SONG_SLIMEBOSS,
	SONG_APOCALYPSE,
	SONG_CLOUD,
	SONG_JUNGLE,
	SONG_JUNGLEBOSS,
	SONG_FIREICE,
	SONG_SAUCER,
	SONG_BONUS,
	SONG_HIGHSCORE,
	SONG_BRAINBOSS,
	SONG_LOSE,
	SONG_WIN,
	NUM_SONGS
};

// Effect flags.
constexpr uint8_t SOUND_FLAG_ONLY_IF_LOUDER = 1;		// a quieter retrigger while it plays is dropped
constexpr uint8_t SOUND_FLAG_NO_INTERPOLATION = 2;		// resampled without interpolation

struct EffectDef
{
	int32_t bank;
	const char* name;				// the file in the bank's folder, without ".aiff"
	float refDistance;				// full volume up to this far beyond the ear
	uint8_t flags;
	float rumbleStrength;			// 0..1, 0 = none
	uint16_t rumbleMilliseconds;
};

struct SongDef
{
	const char* path;				// in the data folder
	float volume;
};

inline constexpr const char* kSoundBankNames[NUM_SOUND_BANKS] =
{
	"main", "menu", "bonus", "farm", "slime", "apocalypse", "cloud", "jungle", "fireice", "saucer", "brainboss", "lose"
};

inline constexpr EffectDef kEffectDefs[NUM_EFFECTS] =
{
	{SOUND_BANK_MAIN, "badselect", 2000, 0, 0.0f, 0},		// 0
	{SOUND_BANK_MAIN, "saucer", 1000, 0, 0.0f, 0},		// 1
	{SOUND_BANK_MAIN, "stungun", 700, 0, 0.0f, 0},		// 2
	{SOUND_BANK_MAIN, "zap", 2000, 0, 1.0f, 1000},		// 3
	{SOUND_BANK_MAIN, "rocket", 2500, 0, 0.0f, 0},		// 4
	{SOUND_BANK_MAIN, "landed", 3000, 0, 0.0f, 0},		// 5
	{SOUND_BANK_MAIN, "jumpjet", 2000, 0, 0.5f, 750},		// 6
	{SOUND_BANK_MAIN, "shatter", 3000, 0, 0.0f, 0},		// 7
	{SOUND_BANK_MAIN, "weaponclick", 3000, SOUND_FLAG_ONLY_IF_LOUDER, 0.0f, 0},		// 8
	{SOUND_BANK_MAIN, "weaponwhir", 3000, SOUND_FLAG_NO_INTERPOLATION, 0.0f, 0},		// 9
	{SOUND_BANK_MAIN, "newlife", 3000, SOUND_FLAG_NO_INTERPOLATION, 0.0f, 0},		// 10
	{SOUND_BANK_MAIN, "freezegun", 3000, 0, 0.2f, 150},		// 11
	{SOUND_BANK_MAIN, "punchhit", 1000, 0, 0.5f, 300},		// 12
	{SOUND_BANK_MAIN, "playercrash", 1000, 0, 1.0f, 1000},		// 13
	{SOUND_BANK_MAIN, "nojumpjet", 1000, 0, 0.0f, 0},		// 14
	{SOUND_BANK_MAIN, "playercrush", 1400, 0, 1.0f, 350},		// 15
	{SOUND_BANK_MAIN, "headswoosh", 1200, 0, 0.0f, 0},		// 16
	{SOUND_BANK_MAIN, "headthud", 1200, 0, 1.0f, 250},		// 17
	{SOUND_BANK_MAIN, "powpodhit", 400, 0, 0.5f, 300},		// 18
	{SOUND_BANK_MAIN, "metalland", 50, 0, 0.0f, 0},		// 19
	{SOUND_BANK_MAIN, "servo", 300, 0, 0.0f, 0},		// 20
	{SOUND_BANK_MAIN, "leftfoot", 40, 0, 0.0f, 0},		// 21
	{SOUND_BANK_MAIN, "rightfoot", 40, 0, 0.0f, 0},		// 22
	{SOUND_BANK_MAIN, "novacharge", 4000, 0, 0.0f, 0},		// 23
	{SOUND_BANK_MAIN, "teleporthuman", 3000, 0, 0.2f, 200},		// 24
	{SOUND_BANK_MAIN, "checkpointhit", 3000, 0, 0.0f, 0},		// 25
	{SOUND_BANK_MAIN, "checkpointloop", 800, 0, 0.0f, 0},		// 26
	{SOUND_BANK_MAIN, "flareshoot", 3000, 0, 0.8f, 150},		// 27
	{SOUND_BANK_MAIN, "flareexplode", 3000, 0, 0.0f, 0},		// 28
	{SOUND_BANK_MAIN, "dartwoosh", 3000, 0, 0.2f, 150},		// 29
	{SOUND_BANK_MAIN, "atomchime", 3000, 0, 0.2f, 100},		// 30
	{SOUND_BANK_MAIN, "playerclang", 2000, SOUND_FLAG_ONLY_IF_LOUDER, 1.0f, 250},		// 31
	{SOUND_BANK_MAIN, "thrownswoosh", 4000, 0, 0.0f, 0},		// 32
	{SOUND_BANK_MAIN, "beamhum", 1500, 0, 0.0f, 0},		// 33
	{SOUND_BANK_MAIN, "jump", 1000, 0, 0.0f, 0},		// 34
	{SOUND_BANK_MAIN, "healthwarning", 1000, 0, 0.0f, 0},		// 35
	{SOUND_BANK_MAIN, "hatch", 2000, 0, 0.0f, 0},		// 36
	{SOUND_BANK_MAIN, "brainwave", 10, 0, 0.0f, 0},		// 37
	{SOUND_BANK_MAIN, "weapondeposit", 2000, 0, 0.0f, 0},		// 38
	{SOUND_BANK_MAIN, "braindie", 2000, SOUND_FLAG_ONLY_IF_LOUDER, 0.0f, 0},		// 39
	{SOUND_BANK_MAIN, "laserhit", 1000, 0, 0.0f, 0},		// 40
	{SOUND_BANK_MAIN, "flareup", 1500, 0, 0.0f, 0},		// 41
	{SOUND_BANK_MAIN, "freezepoof", 300, 0, 0.0f, 0},		// 42
	{SOUND_BANK_MAIN, "changeweapon", 300, 0, 0.0f, 0},		// 43
	{SOUND_BANK_MAIN, "giantfootstep", 1500, 0, 0.6f, 200},		// 44
	{SOUND_BANK_MAIN, "menuchange", 1200, 0, 0.0f, 0},		// 45
	{SOUND_BANK_MENU, "ambience", 1200, 0, 0.0f, 0},		// 46
	{SOUND_BANK_MENU, "accentdrone1", 1200, 0, 0.0f, 0},		// 47
	{SOUND_BANK_MENU, "accentdrone2", 1200, 0, 0.0f, 0},		// 48
	{SOUND_BANK_BONUS, "teleporthuman", 5000, 0, 0.0f, 0},		// 49
	{SOUND_BANK_BONUS, "pointbeep", 5000, 0, 0.0f, 0},		// 50
	{SOUND_BANK_BONUS, "tractorbeam", 5000, 0, 0.0f, 0},		// 51
	{SOUND_BANK_BONUS, "rocket", 5000, 0, 0.0f, 0},		// 52
	{SOUND_BANK_FARM, "popcornpop", 2000, 0, 0.0f, 0},		// 53
	{SOUND_BANK_FARM, "shootcorn", 2000, 0, 0.0f, 0},		// 54
	{SOUND_BANK_FARM, "metalgatehit", 3000, 0, 0.6f, 300},		// 55
	{SOUND_BANK_FARM, "metalgatecrash", 3000, 0, 0.8f, 500},		// 56
	{SOUND_BANK_FARM, "tractor", 2000, 0, 0.0f, 0},		// 57
	{SOUND_BANK_FARM, "onionswoosh", 2000, 0, 0.0f, 0},		// 58
	{SOUND_BANK_FARM, "woodgatesmash", 3000, 0, 0.8f, 500},		// 59
	{SOUND_BANK_FARM, "tomatojump", 3000, 0, 0.0f, 0},		// 60
	{SOUND_BANK_FARM, "tomatosplat", 3000, 0, 0.0f, 0},		// 61
	{SOUND_BANK_FARM, "wooddoorhit", 2000, 0, 0.6f, 300},		// 62
	{SOUND_BANK_FARM, "onionsplat", 3000, 0, 0.0f, 0},		// 63
	{SOUND_BANK_FARM, "corncrunch", 3000, SOUND_FLAG_ONLY_IF_LOUDER, 0.0f, 0},		// 64
	{SOUND_BANK_SLIME, "bubblepop", 3000, 0, 0.0f, 0},		// 65
	{SOUND_BANK_SLIME, "slimemonster", 400, 0, 0.0f, 0},		// 66
	{SOUND_BANK_SLIME, "boat", 2000, 0, 0.0f, 0},		// 67
	{SOUND_BANK_SLIME, "crystalcrack", 800, 0, 0.0f, 0},		// 68
	{SOUND_BANK_SLIME, "pipes", 500, 0, 0.0f, 0},		// 69
	{SOUND_BANK_SLIME, "crystalcrash", 3000, 0, 0.0f, 0},		// 70
	{SOUND_BANK_SLIME, "bumperbubble", 5000, 0, 0.0f, 0},		// 71
	{SOUND_BANK_SLIME, "bossopen", 8000, 0, 0.0f, 0},		// 72
	{SOUND_BANK_SLIME, "blobshoot", 3000, 0, 0.0f, 0},		// 73
	{SOUND_BANK_SLIME, "beamhum", 3000, 0, 0.0f, 0},		// 74
	{SOUND_BANK_SLIME, "slimebounce", 3000, 0, 0.8f, 500},		// 75
	{SOUND_BANK_SLIME, "slimeboom", 6000, 0, 0.5f, 300},		// 76
	{SOUND_BANK_SLIME, "blobbossboom", 4000, 0, 0.6f, 200},		// 77
	{SOUND_BANK_SLIME, "airpump", 4000, 0, 0.0f, 0},		// 78
	{SOUND_BANK_APOCALYPSE, "podbuzz", 4000, 0, 0.0f, 0},		// 79
	{SOUND_BANK_APOCALYPSE, "podcrash", 3000, 0, 0.0f, 0},		// 80
	{SOUND_BANK_APOCALYPSE, "manholeblast", 2000, 0, 0.0f, 0},		// 81
	{SOUND_BANK_APOCALYPSE, "podworm", 2000, 0, 0.0f, 0},		// 82
	{SOUND_BANK_APOCALYPSE, "manholeroll", 900, SOUND_FLAG_ONLY_IF_LOUDER, 0.0f, 0},		// 83
	{SOUND_BANK_APOCALYPSE, "doorclankopen", 1000, 0, 0.0f, 0},		// 84
	{SOUND_BANK_APOCALYPSE, "doorclankclose", 1000, SOUND_FLAG_ONLY_IF_LOUDER, 0.0f, 0},		// 85
	{SOUND_BANK_APOCALYPSE, "mineexplosion", 3000, SOUND_FLAG_ONLY_IF_LOUDER, 0.5f, 300},		// 86
	{SOUND_BANK_APOCALYPSE, "mutantrobotshoot", 3000, 0, 0.0f, 0},		// 87
	{SOUND_BANK_APOCALYPSE, "mutantgrowl", 2000, 0, 0.0f, 0},		// 88
	{SOUND_BANK_APOCALYPSE, "teleport", 3000, 0, 0.0f, 0},		// 89
	{SOUND_BANK_APOCALYPSE, "teleporterdrone", 2000, 0, 0.0f, 0},		// 90
	{SOUND_BANK_APOCALYPSE, "debrissmash", 4000, 0, 0.8f, 500},		// 91
	{SOUND_BANK_CLOUD, "cannonfire", 4000, 0, 0.8f, 500},		// 92
	{SOUND_BANK_CLOUD, "bumperhit", 900, SOUND_FLAG_ONLY_IF_LOUDER, 0.0f, 0},		// 93
	{SOUND_BANK_CLOUD, "bumpercarhum", 300, 0, 0.0f, 0},		// 94
	{SOUND_BANK_CLOUD, "bumperpoletap", 1500, 0, 0.0f, 0},		// 95
	{SOUND_BANK_CLOUD, "bumperpolehum", 100, 0, 0.0f, 0},		// 96
	{SOUND_BANK_CLOUD, "bumperpoleoff", 1500, 0, 0.8f, 300},		// 97
	{SOUND_BANK_CLOUD, "clownbubblepop", 2500, 0, 0.0f, 0},		// 98
	{SOUND_BANK_CLOUD, "inflateballoon", 1500, 0, 0.0f, 0},		// 99
	{SOUND_BANK_CLOUD, "bombdrop", 200, 0, 0.0f, 0},		// 100
	{SOUND_BANK_CLOUD, "bumperpolebreak", 1500, 0, 0.6f, 300},		// 101
	{SOUND_BANK_CLOUD, "rocketsled", 3000, 0, 0.0f, 0},		// 102
	{SOUND_BANK_CLOUD, "trapdoor", 2000, 0, 1.0f, 200},		// 103
	{SOUND_BANK_CLOUD, "balloonpop", 5000, 0, 0.0f, 0},		// 104
	{SOUND_BANK_CLOUD, "yaaa", 5000, 0, 1.0f, 250},		// 105
	{SOUND_BANK_CLOUD, "birdbombboom", 3000, 0, 0.5f, 300},		// 106
	{SOUND_BANK_CLOUD, "confettiboom", 3000, 0, 0.0f, 0},		// 107
	{SOUND_BANK_CLOUD, "fishboom", 3000, 0, 0.0f, 0},		// 108
	{SOUND_BANK_JUNGLE, "acidsizzle", 40, 0, 0.0f, 0},		// 109
	{SOUND_BANK_JUNGLE, "lizardroar", 3000, 0, 0.0f, 0},		// 110
	{SOUND_BANK_JUNGLE, "firebreath", 2000, 0, 0.0f, 0},		// 111
	{SOUND_BANK_JUNGLE, "inhale", 3000, 0, 0.0f, 0},		// 112
	{SOUND_BANK_JUNGLE, "spit", 2000, 0, 0.0f, 0},		// 113
	{SOUND_BANK_JUNGLE, "bigdoorsmash", 2000, 0, 0.8f, 600},		// 114
	{SOUND_BANK_JUNGLE, "tractorbeam", 2000, 0, 0.0f, 0},		// 115
	{SOUND_BANK_JUNGLE, "pitcherpain", 5000, 0, 0.0f, 0},		// 116
	{SOUND_BANK_JUNGLE, "pitcherpuke", 5000, 0, 0.0f, 0},		// 117
	{SOUND_BANK_JUNGLE, "flytrap", 600, 0, 0.0f, 0},		// 118
	{SOUND_BANK_JUNGLE, "pitcherboom", 5000, 0, 1.0f, 1000},		// 119
	{SOUND_BANK_JUNGLE, "podshoot", 2000, 0, 0.0f, 0},		// 120
	{SOUND_BANK_JUNGLE, "podboom", 5000, 0, 0.0f, 0},		// 121
	{SOUND_BANK_FIREICE, "volcanoblow", 5000, 0, 0.0f, 0},		// 122
	{SOUND_BANK_FIREICE, "metalhit", 1000, SOUND_FLAG_ONLY_IF_LOUDER, 0.0f, 0},		// 123
	{SOUND_BANK_FIREICE, "swingerdrone", 10, 0, 0.0f, 0},		// 124
	{SOUND_BANK_FIREICE, "metalhit2", 2000, SOUND_FLAG_ONLY_IF_LOUDER, 1.0f, 250},		// 125
	{SOUND_BANK_FIREICE, "saucerhatch", 4000, 0, 0.0f, 0},		// 126
	{SOUND_BANK_FIREICE, "icecrack", 4000, 0, 1.0f, 400},		// 127
	{SOUND_BANK_FIREICE, "robotexplode", 4000, SOUND_FLAG_ONLY_IF_LOUDER, 0.0f, 0},		// 128
	{SOUND_BANK_FIREICE, "hammersqueak", 50, 0, 0.0f, 0},		// 129
	{SOUND_BANK_FIREICE, "drillbotwhine", 500, 0, 0.0f, 0},		// 130
	{SOUND_BANK_FIREICE, "drillbotwhinehi", 2000, 0, 0.8f, 1500},		// 131
	{SOUND_BANK_FIREICE, "pillarcrunch", 2000, SOUND_FLAG_ONLY_IF_LOUDER, 0.8f, 200},		// 132
	{SOUND_BANK_FIREICE, "rocketsled", 3000, 0, 0.0f, 0},		// 133
	{SOUND_BANK_FIREICE, "splathit", 2000, 0, 0.0f, 0},		// 134
	{SOUND_BANK_FIREICE, "squooshyshoot", 3000, 0, 0.0f, 0},		// 135
	{SOUND_BANK_FIREICE, "sledexplode", 3000, 0, 1.0f, 500},		// 136
	{SOUND_BANK_SAUCER, "mineexplosion", 3000, 0, 0.4f, 600},		// 137
	{SOUND_BANK_SAUCER, "saucerhit", 3000, 0, 0.6f, 200},		// 138
	{SOUND_BANK_BRAINBOSS, "brainstatic", 1000, 0, 0.0f, 0},		// 139
	{SOUND_BANK_BRAINBOSS, "brainbossshoot", 3000, 0, 0.5f, 300},		// 140
	{SOUND_BANK_BRAINBOSS, "brainbossdie", 5000, 0, 0.0f, 0},		// 141
	{SOUND_BANK_BRAINBOSS, "portalboom", 3000, 0, 0.5f, 300},		// 142
	{SOUND_BANK_BRAINBOSS, "brainpain", 4000, 0, 0.0f, 0},		// 143
	{SOUND_BANK_LOSE, "conveyorbelt", 3000, 0, 0.0f, 0},		// 144
	{SOUND_BANK_LOSE, "transform", 3000, 0, 0.0f, 0},		// 145
};

inline constexpr SongDef kSongDefs[NUM_SONGS] =
{
	{":audio:ThemeSong.aif", 1.0f},
	{":audio:FarmSong.aif", 0.8f},
	{":audio:SlimeSong.aif", 0.8f},
	{":audio:SlimeBossSong.aif", 0.7f},
	{":audio:ApocalypseSong.aif", 0.8f},
	{":audio:CloudSong.aif", 1.0f},
	{":audio:JungleSong.aif", 0.6f},
	{":audio:JungleBoss.aif", 1.0f},
	{":audio:FireIceSong.aif", 0.8f},
	{":audio:SaucerSong.aif", 1.1f},
	{":audio:BonusSong.aif", 1.1f},
	{":audio:HighScoreSong.aif", 1.0f},
	{":audio:BrainBossSong.aif", 1.0f},
	{":audio:LoseSong.aif", 1.0f},
	{":audio:WinSong.aif", 1.0f},
};

// Where effect n's file lies in the data folder: ":audio:<bank>.sounds:<name>.aiff".
inline std::string EffectFilePath(int effectNum)
{
	const EffectDef& def = kEffectDefs[effectNum];
	return std::string(":audio:") + kSoundBankNames[def.bank] + ".sounds:" + def.name + ".aiff";
}
