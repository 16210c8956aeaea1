# Source files (relative to the top folder) that define a file-scope name
# another file of their folder also defines, and so are compiled on their own
# rather than in a unity batch (see BuildSpeed.cmake).
set(ZAPP_UNITY_SEPARATE
  tools/bake/worlds/BlobBoss.cpp tools/bake/worlds/BrainBoss.cpp tools/bake/worlds/City.cpp tools/bake/worlds/Cloud.cpp tools/bake/worlds/Farm.cpp tools/bake/worlds/FireIce.cpp tools/bake/worlds/Ground.cpp tools/bake/worlds/Jungle.cpp tools/bake/worlds/JungleBoss.cpp tools/bake/worlds/Saucer.cpp tools/bake/worlds/Slime.cpp tools/bake/worlds/WorldKit.cpp tools/bake/worlds/WorldPlacing.cpp tools/bake/worlds/Worlds.cpp
  bench/EffectsBench.cpp bench/ItemWakeBench.cpp bench/LevelFrameBench.cpp bench/RenderBench.cpp
  bench/TerrainBench.cpp bench/WeaponBench.cpp
  platform/AiffReader.cpp platform/SoundHeader.cpp
  src/3D/BG3D.cpp src/3D/SkeletonFile.cpp src/3D/SkeletonParse.cpp src/3D/Sprites.cpp src/3D/TGA.cpp
  src/3D/TextMesh.cpp
  src/Automation/ModelViewer.cpp src/Automation/SkeletonViewer.cpp
  src/Autopilot/Autopilot.cpp src/Autopilot/AutopilotBossMachine.cpp src/Autopilot/AutopilotBrain.cpp
  src/Autopilot/AutopilotCity.cpp src/Autopilot/AutopilotCloud.cpp src/Autopilot/AutopilotFarm.cpp
  src/Autopilot/AutopilotFireIce.cpp src/Autopilot/AutopilotJungle.cpp src/Autopilot/AutopilotRespawn.cpp
  src/Effects/ParticlesEmitters.cpp src/Effects/Shards.cpp
  src/Enemies/ArmBot.cpp src/Enemies/DrillBot.cpp src/Enemies/HammerBot.cpp src/Enemies/SwingerBot.cpp
  src/Enemies/Blobs.cpp src/Enemies/BrainAlien.cpp src/Enemies/BrainBoss.cpp src/Enemies/Clown.cpp
  src/Enemies/ClownFish.cpp src/Enemies/CreatureKit.cpp src/Enemies/EnemyFreeze.cpp src/Enemies/EnemyMove.cpp
  src/Enemies/FarmCorn.cpp src/Enemies/FarmCreatures.cpp src/Enemies/Flamester.cpp
  src/Enemies/GiantLizard.cpp src/Enemies/IceCube.cpp src/Enemies/JungleBoss.cpp
  src/Enemies/JungleBossMesh.cpp src/Enemies/JungleShots.cpp src/Enemies/Mantis.cpp src/Enemies/Mutant.cpp
  src/Enemies/MutantRobot.cpp src/Enemies/RaiderSaucer.cpp src/Enemies/RobotEnemies.cpp
  src/Enemies/Squooshy.cpp src/Enemies/StrongMan.cpp src/Enemies/Tractor.cpp src/Enemies/VenusFlytrap.cpp
  src/Items/AtomsDraw.cpp src/Items/BlobBossMachine.cpp src/Items/Cannon.cpp src/Items/Checkpoints.cpp
  src/Items/Crushers.cpp src/Items/FireIceHazards.cpp src/Items/Humans.cpp src/Items/HumansCaptive.cpp
  src/Items/HurtingVents.cpp src/Items/PowerupPods.cpp src/Items/RocketSled.cpp src/Items/SaucerHazards.cpp
  src/Items/SlimeHazards.cpp src/Items/SpinningPlatforms.cpp src/Items/SpinningRings.cpp
  src/Items/Teleporters.cpp src/Items/WormPods.cpp src/Items/ZipLines.cpp
  src/Player/Weapons.cpp src/Player/WeaponsFire.cpp
  src/Screens/BonusScene.cpp src/Screens/BonusScreen.cpp src/Screens/HighScoresScene.cpp
  src/Screens/HighScoresScreen.cpp src/Screens/MainMenu.cpp src/Screens/MenuDraw.cpp src/Screens/Screens.cpp
  src/System/InputBindings.cpp src/System/Level.cpp src/System/LevelContent.cpp src/System/SavedGame.cpp
  src/Terrain/Fences.cpp src/Terrain/Water.cpp
  tests/integration/BetweenLevelsRunTests.cpp tests/integration/BossFrameTests.cpp
  tests/integration/ContentTests.cpp tests/integration/CreatureFrameTests.cpp
  tests/integration/CreatureRenderTests.cpp tests/integration/EffectsTests.cpp
  tests/integration/FrontEndRunTests.cpp tests/integration/HazardRenderTests.cpp
  tests/integration/JungleDrawTests.cpp tests/integration/PixelTest.cpp
  tests/integration/PlaythroughTests.cpp tests/integration/RenderTests.cpp
  tests/integration/ReplayRunTests.cpp tests/integration/SkeletonTests.cpp
  tests/integration/WholeGameTests.cpp
  tests/unit/AiffTests.cpp tests/unit/AutopilotBossTests.cpp tests/unit/AutopilotBrainTests.cpp
  tests/unit/AutopilotCityTests.cpp tests/unit/AutopilotDangerTests.cpp tests/unit/AutopilotFrontEndTests.cpp
  tests/unit/AutopilotRespawnTests.cpp tests/unit/AutopilotWayBackTests.cpp tests/unit/BakeSoundSynthTests.cpp
  tests/unit/KitGeometryTests.cpp tests/unit/KitImageTests.cpp tests/unit/MemoryTests.cpp
  tests/integration/SaveKillTests.cpp
  tests/unit/AutopilotTests.cpp tests/unit/BG3DTests.cpp tests/unit/BakeContentTests.cpp
  tests/unit/BakeSoundTests.cpp tests/unit/BakeWriterTests.cpp tests/unit/CodecReferenceTests.cpp
  tests/unit/CodecTests.cpp tests/unit/CollisionQueryTests.cpp tests/unit/CollisionTests.cpp
  tests/unit/DataReaderTests.cpp tests/unit/LZSSTests.cpp tests/unit/MathTests.cpp tests/unit/MixerTests.cpp
  tests/unit/ObjectsTests.cpp tests/unit/RecordingTests.cpp tests/unit/RideTests.cpp
  tests/unit/SaucerBeamTests.cpp tests/unit/SavedGameTests.cpp tests/unit/SceneryTests.cpp
  tests/unit/SkeletonFileTests.cpp tests/unit/SkeletonSkinTests.cpp tests/unit/SkeletonViewerTests.cpp
  tests/unit/SoundChannelTests.cpp tests/unit/SoundHeaderTests.cpp tests/unit/SplineTests.cpp
  tests/unit/StringsTests.cpp tests/unit/TGATests.cpp tests/unit/WeaponTests.cpp
  tools/bake/models/BakeDesktopIcon.cpp tools/bake/models/BakeGlobalModelsEffects.cpp tools/bake/models/BakeGlobalModelsHands.cpp
  tools/bake/models/BakeGlobalModelsItems.cpp tools/bake/models/BakeGlobalModelsSaucers.cpp tools/bake/models/BakeLevelModels.cpp
  tools/bake/models/BakeLevelModelsBlobBoss.cpp tools/bake/models/BakeLevelModelsBosses.cpp
  tools/bake/models/BakeLevelModelsCreatures.cpp tools/bake/models/BakeLevelModelsRides.cpp
  tools/bake/models/BakeLevelModelsScenery.cpp tools/bake/skeletons/BakeRobot.cpp tools/bake/models/BakeScoreScreens.cpp
  tools/bake/models/BakeScreenModels.cpp tools/bake/skeletons/BakeSkeletonsAliens.cpp tools/bake/skeletons/BakeSkeletonsCity.cpp
  tools/bake/skeletons/BakeSkeletonsCloud.cpp tools/bake/skeletons/BakeSkeletonsFarm.cpp tools/bake/skeletons/BakeSkeletonsFireIce.cpp
  tools/bake/skeletons/BakeSkeletonsHero.cpp tools/bake/skeletons/BakeSkeletonsHumans.cpp tools/bake/skeletons/BakeSkeletonsJungle.cpp
  tools/bake/skeletons/BakeSkeletonsSlime.cpp tools/bake/sprites/BakeSkiesLevelSets.cpp tools/bake/sounds/BakeSoundsSongs.cpp
  tools/bake/sprites/BakeSprites.cpp tools/bake/sprites/BakeSpritesGlobal.cpp tools/bake/sprites/BakeSpritesInfobar.cpp
  tools/bake/sprites/BakeSpritesParticles.cpp tools/bake/sprites/BakeSpritesScreens.cpp



)
