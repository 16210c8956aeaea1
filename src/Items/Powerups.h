// Power-ups: the atoms creatures and pods spill, the pods and the pick-ups.
#pragma once

struct ObjNode;

// Scatters atoms from the node: `health` health atoms, `fuel` jump-jet fuel
// atoms and `charge` exit-charge atoms.
void SpillPowerups(ObjNode* from, int health, int fuel, int charge);
