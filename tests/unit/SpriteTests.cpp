// Sprite groups without OpenGL: groups are filled here with untextured
// materials, which is all blending, sprite nodes and the checks need.
#include "3D/MetaObjectsRegistry.h"
#include "3D/MetaObjectsShapes.h"
#include "3D/Sprites.h"
#include "System/Error.h"
#include "System/Objects.h"
#include "Memory.h"

#include <gtest/gtest.h>

namespace
{
	class SpriteTest : public ::testing::Test
	{
	protected:
		int metaObjectsBefore = 0;

		void SetUp() override
		{
			InitObjectManager();
			InitSpriteManager();
			metaObjectsBefore = gNumMetaObjects;
		}
		void TearDown() override
		{
			DeleteAllObjects();
			FlushObjectDeleteQueue();
			DisposeAllSpriteGroups();
			EXPECT_EQ(gNumMetaObjects, metaObjectsBefore) << "every meta object released";
		}

		// A group of n images of 32 × 16 pixels, as LoadSpriteGroup leaves it.
		static void FakeGroup(int group, int n)
		{
			auto* sprites = reinterpret_cast<SpriteType*>(NewPtrClear(int32_t(sizeof(SpriteType) * size_t(n))));
			for (int i = 0; i < n; i++)
				sprites[i] = {32, 16, 0.5f, 0x1908, 0x1908, MO_MakeColorMaterial({1, 1, 1, 1})};
			gSpriteGroupList[group] = sprites;
			gNumSpritesInGroupList[group] = n;
		}

		static uint32_t Flags(int group, int type)
		{
			return MO_MaterialData(gSpriteGroupList[group][type].materialObject)->flags;
		}
	};

	TEST_F(SpriteTest, BlendingMarksOneImageOrAll)
	{
		FakeGroup(3, 4);
		BlendASprite(3, 2);
		EXPECT_TRUE(Flags(3, 2) & MATERIAL_FLAG_ALWAYS_BLEND);
		EXPECT_FALSE(Flags(3, 1) & MATERIAL_FLAG_ALWAYS_BLEND);
		BlendAllSpritesInGroup(3);
		for (int i = 0; i < 4; i++)
			EXPECT_TRUE(Flags(3, i) & MATERIAL_FLAG_ALWAYS_BLEND);

		EXPECT_THROW(BlendASprite(3, 4), Tamber::QuitRequest);
		EXPECT_EQ(gLastFatalMessage, "BlendASprite: illegal type");
		EXPECT_THROW(BlendASprite(MAX_SPRITE_GROUPS, 0), Tamber::QuitRequest);
		EXPECT_THROW(BlendAllSpritesInGroup(5), Tamber::QuitRequest);
		EXPECT_EQ(gLastFatalMessage, "BlendAllSpritesInGroup: this group is empty");
	}

	TEST_F(SpriteTest, BlendingAnUnloadedGroupChangesNothing)
	{
		BlendASprite(3, 6);
		EXPECT_EQ(gNumSpritesInGroupList[3], 0);
	}

	TEST_F(SpriteTest, DisposingReleasesEveryMaterial)
	{
		FakeGroup(6, 3);
		MetaObjectPtr held = MO_AddReference(gSpriteGroupList[6][1].materialObject);
		DisposeSpriteGroup(6);
		EXPECT_EQ(gSpriteGroupList[6], nullptr);
		EXPECT_EQ(gNumSpritesInGroupList[6], 0);
		EXPECT_EQ(held->refCount, 1);		// only our own reference is left
		MO_DisposeObjectReference(held);
		DisposeSpriteGroup(6);				// an empty group is skipped
	}

	TEST_F(SpriteTest, SpriteNodesShowAnImageAtTheirPositionAndScale)
	{
		FakeGroup(1, 3);
		ObjectDef def = {};
		def.group = 1;
		def.type = 2;
		def.coord = {-100, 50, 0};
		def.scale = 40;
		def.slot = 500;
		def.flags = STATUS_BIT_MOVEINPAUSE;
		ObjNode* node = MakeSpriteObject(&def);

		EXPECT_EQ(node->Genre, SPRITE_GENRE);
		EXPECT_EQ(node->StatusBits, STATUS_BIT_MOVEINPAUSE | 0x22080u);
		ASSERT_NE(node->SpriteMO, nullptr);
		const MOSpriteData* sprite = MO_SpriteData(node->SpriteMO);
		EXPECT_EQ(sprite->material, gSpriteGroupList[1][2].materialObject);
		EXPECT_EQ(sprite->scaleX, 40);
		EXPECT_EQ(sprite->scaleY, 40);
		EXPECT_EQ(sprite->coord.x, -100);
		EXPECT_EQ(sprite->coord.y, 50);
		EXPECT_EQ(sprite->width, 32);

		def.type = 3;
		EXPECT_THROW(MakeSpriteObject(&def), Tamber::QuitRequest);
		EXPECT_EQ(gLastFatalMessage, "MakeSpriteObject: illegal type");
		def.group = 12;
		def.type = 0;
		EXPECT_THROW(MakeSpriteObject(&def), Tamber::QuitRequest);
		EXPECT_EQ(gLastFatalMessage, "MakeSpriteObject: illegal type");
	}

	TEST_F(SpriteTest, ModifyingTheFrameSwapsTheSpriteOnlyWhenTheTypeChanges)
	{
		FakeGroup(1, 3);
		ObjectDef def = {};
		def.group = 1;
		def.type = 0;
		def.scale = 10;
		ObjNode* node = MakeSpriteObject(&def);
		MetaObjectPtr first = node->SpriteMO;

		ModifySpriteObjectFrame(node, 0);
		EXPECT_EQ(node->SpriteMO, first);

		node->Coord = {7, 8, 0};
		ModifySpriteObjectFrame(node, 1);
		EXPECT_EQ(node->Type, 1);
		EXPECT_EQ(MO_SpriteData(node->SpriteMO)->material, gSpriteGroupList[1][1].materialObject);
		EXPECT_EQ(MO_SpriteData(node->SpriteMO)->coord.x, 7);
		EXPECT_EQ(gSpriteGroupList[1][0].materialObject->refCount, 1);		// the old sprite let go of it

		EXPECT_THROW(ModifySpriteObjectFrame(node, 9), Tamber::QuitRequest);
		EXPECT_EQ(gLastFatalMessage, "ModifySpriteObjectFrame: illegal type");
		EXPECT_EQ(node->Type, 1);
	}

	TEST_F(SpriteTest, DrawSpriteRefusesImagesThatAreNotThere)
	{
		FakeGroup(6, 2);
		EXPECT_THROW(DrawSprite(6, 2, 0, 0, 10, 0, 0), Tamber::QuitRequest);
		EXPECT_EQ(gLastFatalMessage, "DrawSprite: illegal sprite 2 of group 6");
		EXPECT_THROW(DrawSprite(9, 0, 0, 0, 10, 0, 0), Tamber::QuitRequest);
		EXPECT_THROW(DrawSprite(-1, 0, 0, 0, 10, 0, 0), Tamber::QuitRequest);
		EXPECT_THROW(DrawSprite(4, 0, 0, 0, 10, 0, 0), Tamber::QuitRequest);		// not loaded
	}

	TEST_F(SpriteTest, LoadingRefusesBadGroupsAndCounts)
	{
		EXPECT_THROW(LoadSpriteGroup(MAX_SPRITE_GROUPS, 1, "global"), Tamber::QuitRequest);
		EXPECT_EQ(gLastFatalMessage, "LoadSpriteGroup: sprite group 9 out of range");
		EXPECT_THROW(LoadSpriteGroup(2, -1, "global"), Tamber::QuitRequest);
		EXPECT_EQ(gNumSpritesInGroupList[2], 0);
	}
}
