#include "3D/Skeleton.h"

void InitSkeletonManager()
{
}

void FreeAllSkeletonFiles(int /*skeletonType*/)
{
}

