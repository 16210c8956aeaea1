// Skeletons: every animated character is a skeleton type (a joint hierarchy,
// keyframed animations with events, and a reference mesh bound rigidly to the
// joints) loaded once and shared, and each character is a SKELETON_GENRE node
// with its own SkeletonObjDataType: current animation, clock, morph and pose.
// Once per frame the node's animation advances (MoveObjects does it) and when
// it is drawn its mesh is skinned into the type's own mesh copies and drawn.
#pragma once

#include "3D/MetaObjects.h"
#include "3D/SkeletonParse.h"
#include "3D/SkeletonTypes.h"
#include "System/Objects.h"

#include <cstdint>

//
// Skeleton types (loaded data, shared by every character of a type)
//

struct JointKeyFrameHeader
{
	uint8_t numKeyFrames[MAX_ANIMS];				// per animation
	JointKeyframeType (*keyFrames)[MAX_KEYFRAMES];	// NumAnims rows
};

struct BoneDefinitionType
{
	int32_t parentBone;						// −1 for the root, joint 0
	OGLPoint3D coord;						// joint position in the reference pose
	uint16_t numPointsAttachedToBone;
	uint16_t* pointList;					// indices into decomposedPointList
	uint16_t numNormalsAttachedToBone;
	uint16_t* normalList;					// indices into decomposedNormalsList
};

struct DecomposedPointType
{
	OGLPoint3D realPoint;					// in the reference model
	OGLPoint3D boneRelPoint;				// relative to the joint that moves it
	uint8_t numRefs;
	uint8_t whichTriMesh[MAX_POINT_REFS];
	int16_t whichPoint[MAX_POINT_REFS];
	int16_t whichNormal[MAX_POINT_REFS];
};

struct SkeletonInfoType
{
	uint8_t NumBones;
	JointKeyFrameHeader JointKeyframes[MAX_JOINTS];
	uint8_t numChildren[MAX_JOINTS];
	uint8_t childIndex[MAX_JOINTS][MAX_CHILDREN];
	uint8_t NumAnims;
	uint8_t* NumAnimEvents;							// per animation
	AnimEventType (*AnimEventsList)[MAX_ANIM_EVENTS];	// NumAnims rows
	BoneDefinitionType* Bones;
	int NumDecomposedTriMeshes;
	MOVertexArrayData* decomposedTriMeshes;			// shallow copies: arrays shared with the model
	int NumDecomposedPoints;
	DecomposedPointType* decomposedPointList;
	int16_t NumDecomposedNormals;
	OGLVector3D* decomposedNormalsList;
};

extern SkeletonInfoType* gLoadedSkeletonsList[MAX_SKELETON_TYPES];
extern int gNumDecomposedTriMeshesInSkeleton[MAX_SKELETON_TYPES];
// Per type, deep copies of its meshes that skinning writes into: skinning
// and drawing one node must not be split by skinning another of its type.
extern MOVertexArrayData gLocalTriMeshesOfSkelType[MAX_SKELETON_TYPES][MAX_DECOMPOSED_TRIMESHES];

// Boot: the acceleration curve, an empty type list, the object-node services.
void InitSkeletonManager();

// Loads a type (its model goes to BG3D group MODEL_GROUP_SKELETONBASE + type)
// and makes its mesh copies; a type already loaded is left as it is. A bad
// file stops the program with a message naming it.
void LoadASkeleton(int skeletonType);
SkeletonInfoType* LoadSkeleton(int skeletonType);
// Makes a built type the loaded one (the slot must be free) with its mesh copies.
void InstallSkeletonType(int skeletonType, SkeletonInfoType* skeleton);

// Frees a type's data and mesh copies (not its BG3D group).
void FreeSkeletonFile(int skeletonType);
// Every loaded type but `skeletonTypeToKeep` (−1: every type).
void FreeAllSkeletonFiles(int skeletonTypeToKeep);

// Builds a type from parsed resources and a decomposed model (the loader's
// last step; tests and tools use it directly). `meshes` are the model's vertex
// arrays in walk order; the record shares their arrays.
SkeletonInfoType* BuildSkeletonInfo(const SkeletonFileData& file, const SkeletonDecomposer& decomposition,
		const MOVertexArrayData* meshes, int numMeshes);
void DisposeSkeletonInfo(SkeletonInfoType* skeleton);

// Decomposes a model tree into `decomposer`, listing its vertex arrays in walk
// order. Returns false with the reason on a limit or a foreign geometry.
bool DecomposeReferenceModel(MetaObjectPtr model, SkeletonDecomposer* decomposer,
		std::vector<MOVertexArrayData*>* meshes, std::string* error);

//
// Skeleton objects (one per character)
//

constexpr int ANIM_TICKS_PER_SECOND = 30;
constexpr int ACCELERATION_CURVE_SIZE = 2000;

enum : uint8_t
{
	ANIM_DIRECTION_FORWARD = 0,
	ANIM_DIRECTION_BACKWARD = 1,
};
constexpr uint8_t ANIM_END_MODE_ZIGZAG = 2;

struct SkeletonObjDataType
{
	bool JointsAreGlobal;					// matrices absolute: no hierarchy, node transform or keyframes
	uint8_t AnimNum;
	bool IsMorphing;
	float MorphSpeed;						// progress per second
	float MorphPercent;						// 0 … 1
	JointKeyframeType JointCurrentPosition[MAX_JOINTS];
	JointKeyframeType MorphStart[MAX_JOINTS];
	JointKeyframeType MorphEnd[MAX_JOINTS];
	float CurrentAnimTime;					// ticks
	float LoopBackTime;						// where loops return to
	float MaxAnimTime;						// last keyframe tick of the animation
	float AnimSpeed;
	float PauseTimer;						// seconds
	uint8_t AnimEventIndex;					// next event to fire
	uint8_t AnimDirection;
	uint8_t EndMode;
	bool AnimHasStopped;
	OGLMatrix4x4 jointTransformMatrix[MAX_JOINTS];	// each joint relative to its parent
	SkeletonInfoType* skeletonDefinition;
	MetaObjectPtr materialOverride;			// drawn instead of each mesh's first material
};

// A node showing skeleton type def->type (which must be loaded) in animation
// `animNum`, skinned once so its bounding box and Size are known.
ObjNode* MakeNewSkeletonBaseData(ObjectDef* def, int animNum);
void FreeSkeletonBaseData(SkeletonObjDataType* data);

// A hard cut to an animation, from its start.
void SetSkeletonAnim(SkeletonObjDataType* skeleton, int animNum);
// A blend from the current pose to the start of an animation at `morphSpeed` per second.
void MorphToSkeletonAnim(SkeletonObjDataType* skeleton, int animNum, float morphSpeed);
// Jumps to a fraction (0 … 1) of the animation's length.
void SetSkeletonAnimTime(SkeletonObjDataType* skeleton, float fraction);

// Once per frame: morph or clock, events, pose.
void UpdateSkeletonAnimation(ObjNode* node);
// The pose at the current clock (or morph), into JointCurrentPosition and jointTransformMatrix.
void ComputeCurrentJointPositions(SkeletonObjDataType* skeleton);
// Largest keyframe tick of the current animation.
float GetMaxAnimTime(const SkeletonObjDataType* skeleton);

// Skins the node's mesh into its type's mesh copies and sets its BBox.
void UpdateSkinnedGeometry(ObjNode* node);
// Skins and draws (the SKELETON_GENRE draw of the object pass).
void DrawSkeleton(ObjNode* node);

// A joint's full matrix (joint space to world) and points on it.
void FindJointFullMatrix(ObjNode* node, int jointNum, OGLMatrix4x4* out);
void FindCoordOfJoint(ObjNode* node, int jointNum, OGLPoint3D* out);
void FindCoordOnJoint(ObjNode* node, int jointNum, const OGLPoint3D* inPoint, OGLPoint3D* out);
// The same in the pose of the current animation's first set-flag event.
void FindJointMatrixAtFlagEvent(ObjNode* node, int jointNum, OGLMatrix4x4* out);
void FindCoordOnJointAtFlagEvent(ObjNode* node, int jointNum, const OGLPoint3D* inPoint, OGLPoint3D* out);

// Sets the node's scale and its collision box from the skinned box of
// animation `animNum`, then returns to the animation it was in.
void FinalizeSkeletonObjectScale(ObjNode* node, float scale, int animNum);

//
// Easing
//

extern float gAccelerationCurve[ACCELERATION_CURVE_SIZE];
void BuildAccelerationCurve();
// The smoothstep curve at x (0 … 1).
float GetAccelerationValue(float x);

//
// A giant hero's footstep shakes the ground: a ring wave from the foot.
//

constexpr float GIANT_FOOTSTEP_AMPLITUDE = 30.0f;		// units
constexpr float GIANT_FOOTSTEP_SPEED = 3000.0f;			// units per second
constexpr float GIANT_FOOTSTEP_FREQUENCY = 0.0025f;		// radians per unit
constexpr float GIANT_FOOTSTEP_WIDTH = 900.0f;			// units
constexpr float GIANT_FOOTSTEP_DECAY = 100.0f;			// amplitude per second: gone in 0.3 s
