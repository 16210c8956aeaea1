// A screen for looking at the art: shows every model of one BG3D file, all at
// once in a labelled grid or one at a time, turning slowly. Left and right
// step through the models, G returns to the grid, Esc quits.
#pragma once

// `file`: a data-folder path (":Models:global.bg3d"), a model file name in
// the Models folder ("global" or "global.bg3d"), or a host path containing
// '/'. `startModel` < 0 starts with the grid, else with that model alone.
// Runs until the program quits.
[[noreturn]] void RunModelViewer(const char* file, int startModel);

// How the grid places n models on a screen of the given aspect (width /
// height): columns and rows, filled row by row.
void ModelViewer_CalcGrid(int numModels, float aspect, int* columns, int* rows);
