#pragma once
// Sending a loaded profile to the amplifier. Every request is sent at once
// on the calling thread (a worker) and answered before the next, so a
// scene's values are all in before the scene is stored.
#include "DeviceRequests.h"
#include "EqualizerManager.h"
#include "SenceConfig.h"

namespace dravo {

// `record` as the live state (scene 0): main volume and mute, then every
// output's crossover and bands, the per-output values, the input routing of
// the record's own source and the mixing levels of every source with
// inputs. Link and lock, bridges, input phases, the cross-source tables,
// ACC and the subwoofer volume stay on this side.
void SetReadCurProfileToMCU(DeviceRequests& link, const SenceConfig& record);

// The ten scene records (with their names) into the amplifier's scene
// slots, each stored once sent, then the live record as above.
void SetReadWholeProfileToMCU(EqualizerManager& manager);

} // namespace dravo
