#pragma once
// Reading a scene stored in the amplifier into its scene record: the scene
// is selected for the scene-tagged queries, and every reply tagged with it
// lands in that record when the window hands it to the manager.
#include "EqualizerManager.h"

namespace dravo {

// Scene number 1..10; others are ignored. Runs on a worker: it waits for
// the amplifier and sends every query at once.
void ReadSceneFromDevice(EqualizerManager& manager, int scene);

} // namespace dravo
