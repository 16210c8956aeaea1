// Shattering objects into shards, and moving the shards.
#include "Effects/Shards.h"
#include "3D/MetaObjects.h"
#include "3D/Skeleton.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Objects.h"
#include "System/Pool.h"
#include "System/Random.h"
#include "Terrain/Terrain.h"

Pool* gShardPool = nullptr;
ShardType gShards[MAX_SHARDS];

namespace
{
	// What the current explosion gives every shard it makes.
	struct Explosion
	{
		float boomForce;
		uint8_t mode;
		int density;
		float decaySpeed;
		OGLPoint3D centre;					// of the node's box, in the world
		OGLColorRGBA color;
		bool glow;
		MetaObjectPtr overrideMaterial;
	};
	Explosion gBoom;

	void FreeShard(int32_t i)
	{
		if (gShards[i].material)
		{
			MO_DisposeObjectReference(gShards[i].material);
			gShards[i].material = nullptr;
		}
		Pool_ReleaseIndex(gShardPool, i);
	}

	float RandSigned() { return RandomFloatSigned(); }

	// Returns false once the store is full.
	bool MakeShard(const OGLPoint3D world[3], const OGLTextureCoord* uvs, MetaObjectPtr material)
	{
		int32_t i = Pool_AllocateIndex(gShardPool);
		if (i < 0)
			return false;
		ShardType& s = gShards[i];
		OGLPoint3D centre = {
			(world[0].x + world[1].x + world[2].x) * 0.3333f,
			(world[0].y + world[1].y + world[2].y) * 0.3333f,
			(world[0].z + world[1].z + world[2].z) * 0.3333f,
		};
		for (int k = 0; k < 3; k++)
		{
			s.points[k] = {world[k].x - centre.x, world[k].y - centre.y, world[k].z - centre.z};
			s.uvs[k] = uvs ? uvs[k] : OGLTextureCoord{0, 0};
		}
		s.hasUVs = uvs != nullptr;
		s.material = material ? MO_AddReference(material) : nullptr;
		s.color = gBoom.color;
		s.glow = gBoom.glow;
		s.coord = centre;
		s.rot = {0, 0, 0};
		s.scale = 1;
		s.mode = gBoom.mode;
		s.decaySpeed = gBoom.decaySpeed;
		float b = gBoom.boomForce;
		if (gBoom.mode & SHARD_MODE_FROMORIGIN)
		{
			OGLVector3D out = centre - gBoom.centre;
			OGLVector3D_Normalize(&out, &out);		// a triangle centred on the object's centre gets no push
			s.delta = out * b;
		}
		else
		{
			s.delta = {RandSigned() * b, RandSigned() * b, RandSigned() * b};
		}
		if (gBoom.mode & SHARD_MODE_UPTHRUST)
			s.delta.y += 1.5f * b;
		s.rotDelta = {RandSigned() * 0.008f * b, RandSigned() * 0.008f * b, RandSigned() * 0.008f * b};
		OGLMatrix4x4_SetTranslate(&s.matrix, centre.x, centre.y, centre.z);
		return true;
	}

	// Returns false once the store is full.
	bool ExplodeVertexArray(const MOVertexArrayData* mesh, const OGLMatrix4x4& transform, MetaObjectPtr overrideMaterial)
	{
		MetaObjectPtr material = overrideMaterial;
		if (!material && mesh->numMaterials > 0)
			material = mesh->materials[0];
		if (!mesh->points || !mesh->triangles)
			return true;
		for (int t = 0; t < mesh->numTriangles; t += gBoom.density)
		{
			OGLPoint3D world[3];
			OGLTextureCoord uvs[3];
			bool bad = false;
			for (int k = 0; k < 3; k++)
			{
				uint32_t v = mesh->triangles[t * 3 + k];
				if (v >= uint32_t(mesh->numPoints))
				{
					bad = true;		// a corrupt index: skip the triangle rather than read past the array
					break;
				}
				OGLPoint3D_Transform(&mesh->points[v], &transform, &world[k]);
				if (mesh->uvs[0])
					uvs[k] = mesh->uvs[0][v];
			}
			if (bad)
				continue;
			if (!MakeShard(world, mesh->uvs[0] ? uvs : nullptr, material))
				return false;
		}
		return true;
	}

	bool ExplodeGeometry_Recurse(MetaObjectPtr object, OGLMatrix4x4* running)
	{
		if (!object || object->cookie != MO_COOKIE_LIVE)
			FatalAlert("ExplodeGeometry_Recurse: cookie is invalid!");
		switch (object->type)
		{
			case MO_TYPE_GROUP:
			{
				OGLMatrix4x4 saved = *running;
				MOGroupData* group = MO_GroupData(object);
				for (int i = 0; i < group->numObjectsInGroup; i++)
					if (!ExplodeGeometry_Recurse(group->groupContents[i], running))
						return false;
				*running = saved;
				return true;
			}
			case MO_TYPE_MATRIX:
				OGLMatrix4x4_Multiply(MO_MatrixData(object), running, running);
				return true;
			case MO_TYPE_GEOMETRY:
				if (object->subType != MO_GEOMETRY_SUBTYPE_VERTEXARRAY)
					FatalAlert("ExplodeGeometry_Recurse: unknown sub-type!");
				return ExplodeVertexArray(MO_VertexArrayData(object), *running, nullptr);
			default:
				return true;		// materials and sprites make no shards
		}
	}

	OGLPoint3D BoxCentreInWorld(const ObjNode* node)
	{
		if (node->BBox.isEmpty)
			return node->Coord;
		OGLPoint3D c = {
			(node->BBox.min.x + node->BBox.max.x) * 0.5f,
			(node->BBox.min.y + node->BBox.max.y) * 0.5f,
			(node->BBox.min.z + node->BBox.max.z) * 0.5f,
		};
		if (node->Genre == SKELETON_GENRE)
			return {node->Coord.x + c.x, node->Coord.y + c.y, node->Coord.z + c.z};
		OGLPoint3D world;
		OGLPoint3D_Transform(&c, &node->BaseTransformMatrix, &world);
		return world;
	}

	bool ExplodeOneNode(ObjNode* node)
	{
		gBoom.centre = BoxCentreInWorld(node);
		gBoom.color = node->ColorFilter;
		gBoom.glow = (node->StatusBits & STATUS_BIT_GLOW) != 0;
		OGLMatrix4x4 running;
		OGLMatrix4x4_SetIdentity(&running);

		if (node->Genre == SKELETON_GENRE)
		{
			if (!node->Skeleton || !node->Skeleton->skeletonDefinition)
				return true;
			UpdateSkinnedGeometry(node);
			int type = node->Type;
			for (int i = 0; i < gNumDecomposedTriMeshesInSkeleton[type]; i++)
				if (!ExplodeVertexArray(&gLocalTriMeshesOfSkelType[type][i], running, node->Skeleton->materialOverride))
					return false;
			return true;
		}
		if (!node->BaseGroup)
			return true;
		return ExplodeGeometry_Recurse(node->BaseGroup, &running);
	}
}

void InitShardSystem()
{
	GAME_ASSERT(!gShardPool);
	gShardPool = Pool_New(MAX_SHARDS);
	for (ShardType& s : gShards)
		s.material = nullptr;
}

void DisposeShardSystem()
{
	if (!gShardPool)
		return;
	for (int32_t i = Pool_First(gShardPool); i >= 0;)
	{
		int32_t next = Pool_Next(gShardPool, i);
		FreeShard(i);
		i = next;
	}
	Pool_Free(gShardPool);
	gShardPool = nullptr;
}

void ExplodeGeometry(ObjNode* node, float boomForce, uint8_t mode, int density, float decaySpeed)
{
	// Every density-th triangle: 0 or less would never step.
	GAME_ASSERT(density >= 1);
	if (!gShardPool)
		return;
	gBoom.boomForce = boomForce;
	gBoom.mode = mode;
	gBoom.density = density;
	gBoom.decaySpeed = decaySpeed;

	for (ObjNode* n = node; n; n = n->ChainNode)
		if (!ExplodeOneNode(n))
			break;
}

void MoveShards()
{
	if (!gShardPool)
		return;
	float dt = gFrameTime;
	for (int32_t i = Pool_First(gShardPool); i >= 0;)
	{
		int32_t next = Pool_Next(gShardPool, i);
		ShardType& s = gShards[i];
		s.rot = s.rot + s.rotDelta * dt;
		s.delta.y -= ((s.mode & SHARD_MODE_HEAVYGRAVITY) ? 1000.0f : 300.0f) * dt;
		s.coord = s.coord + s.delta * dt;

		float ground = TerrainHeightAt(s.coord.x, s.coord.z);
		if (s.coord.y <= ground)
		{
			if (!(s.mode & SHARD_MODE_BOUNCE))
			{
				FreeShard(i);
				i = next;
				continue;
			}
			s.coord.y = ground;
			s.delta.y *= -0.5f;
			s.delta.x *= 0.9f;
			s.delta.z *= 0.9f;
		}

		s.scale -= s.decaySpeed * dt;
		if (s.scale <= 0.0f)
		{
			FreeShard(i);
			i = next;
			continue;
		}
		OGLMatrix4x4 scale, rotation, m;
		OGLMatrix4x4_SetScale(&scale, s.scale, s.scale, s.scale);
		OGLMatrix4x4_SetRotate_XYZ(&rotation, s.rot.x, s.rot.y, s.rot.z);
		OGLMatrix4x4_Multiply(&scale, &rotation, &m);
		OGLMatrix4x4 translate;
		OGLMatrix4x4_SetTranslate(&translate, s.coord.x, s.coord.y, s.coord.z);
		OGLMatrix4x4_Multiply(&m, &translate, &s.matrix);
		i = next;
	}
}
