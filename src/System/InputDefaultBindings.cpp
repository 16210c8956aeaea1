// The bindings of every need: the fixed ones of menus and text entry, and the
// defaults of the twelve the player can remap.
#include "System/Input.h"

namespace
{
	constexpr int8_t B = PAD_BINDING_BUTTON;
	constexpr int8_t AP = PAD_BINDING_AXIS_POSITIVE;
	constexpr int8_t AN = PAD_BINDING_AXIS_NEGATIVE;

	// SDL game-controller buttons and axes used below.
	enum : int8_t { PA, PB, PX, PY, PBACK, PGUIDE, PSTART, PLS, PRS, PLB, PRB, PUP, PDOWN, PLEFT, PRIGHT };
	enum : int8_t { LSX, LSY, RSX, RSY, LT, RT };
}

const InputBinding kDefaultInputBindings[NUM_CONTROL_NEEDS] =
{
	//  keys          mouse  pad 0        pad 1
	{ { 82, 26 },     0,     { { B, PUP },    { 0, 0 } },    0 },	// forward
	{ { 81, 22 },     0,     { { B, PDOWN },  { 0, 0 } },    0 },	// backward
	{ { 80, 4 },      0,     { { B, PLEFT },  { 0, 0 } },    0 },	// left
	{ { 79, 7 },      0,     { { B, PRIGHT }, { 0, 0 } },    0 },	// right
	{ { 229, 47 },    29,    { { B, PLB },    { 0, 0 } },    0 },	// previous weapon
	{ { 225, 48 },    30,    { { B, PRB },    { 0, 0 } },    0 },	// next weapon
	{ { 224, 228 },   1,     { { B, PX },     { AP, RT } },  0 },	// shoot
	{ { 226, 230 },   2,     { { B, PB },     { 0, 0 } },    0 },	// punch
	{ { 44, 0 },      3,     { { B, PA },     { 0, 0 } },    0 },	// jump
	{ { 43, 0 },      0,     { { B, PRS },    { 0, 0 } },    0 },	// center camera
	{ { 54, 0 },      0,     { { 0, 0 },      { 0, 0 } },    0 },	// camera left
	{ { 55, 0 },      0,     { { 0, 0 },      { 0, 0 } },    0 },	// camera right
	{ { 0, 0 },       0,     { { 0, 0 },      { 0, 0 } },    0 },	// spare
	{ { 82, 0 },      0,     { { B, PUP },    { AN, LSY } }, 0 },	// UI up
	{ { 81, 0 },      0,     { { B, PDOWN },  { AP, LSY } }, 0 },	// UI down
	{ { 80, 0 },      0,     { { B, PLEFT },  { AN, LSX } }, 0 },	// UI left
	{ { 79, 0 },      0,     { { B, PRIGHT }, { AP, LSX } }, 0 },	// UI right
	{ { 0, 0 },       0,     { { B, PLB },    { 0, 0 } },    0 },	// UI previous
	{ { 0, 0 },       0,     { { B, PRB },    { 0, 0 } },    0 },	// UI next
	{ { 40, 44 },     0,     { { B, PA },     { 0, 0 } },    0 },	// UI confirm
	{ { 76, 27 },     0,     { { B, PX },     { 0, 0 } },    0 },	// UI delete
	{ { 0, 0 },       0,     { { B, PSTART }, { 0, 0 } },    0 },	// UI start
	{ { 41, 42 },     4,     { { B, PB },     { B, PBACK } },0 },	// UI back
	{ { 41, 0 },      0,     { { B, PSTART }, { 0, 0 } },    0 },	// pause
	{ { 80, 0 },      0,     { { B, PLEFT },  { B, PLB } },  0 },	// text left
	{ { 0, 0 },       0,     { { AN, LSX },   { 0, 0 } },    0 },	// text stick left
	{ { 79, 0 },      0,     { { B, PRIGHT }, { B, PRB } },  0 },	// text right
	{ { 0, 0 },       0,     { { AP, LSX },   { 0, 0 } },    0 },	// text stick right
	{ { 74, 0 },      0,     { { 0, 0 },      { 0, 0 } },    0 },	// text home
	{ { 77, 0 },      0,     { { 0, 0 },      { 0, 0 } },    0 },	// text end
	{ { 42, 0 },      0,     { { B, PX },     { 0, 0 } },    0 },	// text backspace
	{ { 76, 0 },      0,     { { 0, 0 },      { 0, 0 } },    0 },	// text delete
	{ { 40, 88 },     0,     { { B, PSTART }, { 0, 0 } },    0 },	// text done
	{ { 0, 0 },       0,     { { B, PA },     { B, PUP } },  0 },	// text next letter
	{ { 0, 0 },       0,     { { B, PB },     { B, PDOWN } },0 },	// text previous letter
	{ { 0, 0 },       0,     { { B, PY },     { 0, 0 } },    0 },	// text space
};
