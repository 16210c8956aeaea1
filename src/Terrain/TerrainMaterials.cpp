// Supertile materials: every used texture uploaded once per level as a
// bordered 130 × 130 1-5-5-5 texture, clamped, with its own material.
#include "Terrain/TerrainFile.h"
#include "3D/MetaObjects.h"
#include "3D/OGL_Support.h"
#include "3D/OGL_Textures.h"
#include "System/Error.h"
#include "System/Game.h"
#include "System/LevelTable.h"
#include "Memory.h"

#include <SDL_opengl.h>
#include <vector>

MetaObjectPtr gSuperTileTextureObjects[MAX_SUPERTILE_TEXTURES];
bool gTerrainHasClearTexels = false;

bool HasClearTexels(const uint16_t* texels, int count)
{
	for (int i = 0; i < count; i++)
		if (!(texels[i] & 0x8000))
			return true;
	return false;
}

void CreateSuperTileMaterials()
{
	GAME_ASSERT(gSuperTileTexturePixels);
	for (MetaObjectPtr& m : gSuperTileTextureObjects)
		m = nullptr;
	gTerrainHasClearTexels = false;

	std::vector<uint16_t> bordered(SUPERTILE_BORDERED_SIZE * SUPERTILE_BORDERED_SIZE);
	for (int row = 0; row < gSuperTilesDeep; row++)
		for (int col = 0; col < gSuperTilesWide; col++)
		{
			int t = gSuperTileTextureGrid[row][col].textureNum;
			if (t == 0)
				continue;
			GAME_ASSERT_MESSAGE(!gSuperTileTextureObjects[t], "supertile isn't unique!");

			BuildBorderedSuperTileTexture(row, col, bordered.data());
			uint32_t name = OGL_TextureMap_Load(bordered.data(), SUPERTILE_BORDERED_SIZE, SUPERTILE_BORDERED_SIZE,
					GL_BGRA, GL_RGBA, GL_UNSIGNED_SHORT_1_5_5_5_REV);

			MOMaterialData m = {};
			m.drawContext = gGameViewInfoPtr;
			m.flags = MATERIAL_FLAG_TEXTURED | MATERIAL_FLAG_CLAMP_U | MATERIAL_FLAG_CLAMP_V;
			m.diffuseColor = {1, 1, 1, 1};
			m.multiTextureMode = 0;
			m.multiTextureCombine = MULTI_TEXTURE_COMBINE_ADD;
			m.numMipmaps = 1;
			m.width = m.height = SUPERTILE_BORDERED_SIZE;
			m.pixelSrcFormat = GL_BGRA;
			// Every texel opaque: blending would give back the texel itself at the
			// cost of reading the frame, so the material draws without.
			bool clear = HasClearTexels(bordered.data(), int(bordered.size()));
			gTerrainHasClearTexels |= clear;
			m.pixelDstFormat = clear ? GL_RGBA : GL_RGB;
			m.textureName[0] = name;
			int sphereMap = CurrentLevelDef().terrainSphereMap;
			if (sphereMap >= 0)
			{
				// The level's ground may carry an added sphere map (the slime arena's does).
				m.flags |= MATERIAL_FLAG_MULTITEXTURE;
				m.envMapNum = uint16_t(sphereMap);
			}
			gSuperTileTextureObjects[t] = MO_CreateNewObjectOfType(MO_TYPE_MATERIAL, 0, &m);
			if (!gSuperTileTextureObjects[t])
				FatalAlert("ReadDataFromPlayfieldFile: MO_CreateNewObjectOfType failed");
		}

	// Uploaded: the decoded pixels are no longer needed.
	DisposePtr(reinterpret_cast<Ptr>(gSuperTileTexturePixels));
	gSuperTileTexturePixels = nullptr;
}
