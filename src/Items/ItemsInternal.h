// Shared by the item files: making a model node that still works (as an
// undrawn node of a stand-in size) when its model file is not loaded, as in
// logic-only runs and tests, or when a level's model set lacks the model.
#pragma once

#include "System/Objects.h"

// A display-group node of def's model, or an undrawn node with `standIn` as
// its bounds when that model is not loaded.
ObjNode* MakeItemModelNode(ObjectDef* def, const OGLBoundingBox& standIn);
// Whether the model is loaded.
bool IsItemModelLoaded(int group, int type);
// Plays an item's sound at `where` when its effect is loaded (logic-only
// runs and tests load none); the channel or −1.
int16_t PlayItemEffect3D(int effectNum, const OGLPoint3D* where, float rate = 1, float volume = 1);
// The robot is within `distance` (octagonal, in x/z) of the node.
bool IsPlayerNear(const ObjNode* node, float distance);
