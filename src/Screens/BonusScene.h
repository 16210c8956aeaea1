// The scene behind the bonus tally's numbers: each rescued human counted
// arrives in a beam on the teleport pad and steps into the line beside it;
// each weapon unit counted drops as its token into the counting hopper, which
// bumps and flashes; a field of bits drifts behind (unless the level's row
// says the tally is bare). It only shows what BonusTally.cpp counts.
#pragma once

// Loads the tally's models, sprites and the four humans' skeletons and builds
// the pad, the hopper and the field. `field`: the drifting bits behind.
void MakeBonusScene(bool field);
void BonusSceneHumanCounted(int humanKind);
void BonusSceneItemCounted(int weaponType);
// Frees the skeletons the scene loaded (the models and sprites go with the screen).
void DisposeBonusScene();

// How many humans stand in the line at most: later ones push the first out.
constexpr int BONUS_SCENE_MAX_HUMANS = 12;
// How many bits drift behind the tally.
constexpr int BONUS_SCENE_FIELD_BITS = 300;
