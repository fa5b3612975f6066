// The window timers the editing rules own: the trailing sends of the two
// volume throttles and the main-volume poll after a source change.
#include "EditingRules.h"

#include "DeviceLink.h"
#include "EditingRulesValues.h"
#include "EqualizerManager.h"
#include "Log.h"

namespace dravo {

using namespace editing;

void EditingRules::StartMainVolumePoll()
{
    mMainVolumePolls = kMainVolumePollCount;
    m.host().startTimer(GET_MAIN_VOLUME_TIMER, kMainVolumePollMs);
}

void EditingRules::StopMainVolumePoll()
{
    mMainVolumePolls = 0;
    m.host().killTimer(GET_MAIN_VOLUME_TIMER);
}

bool EditingRules::OnTimer(int id)
{
    if (id == CACHE_CH_VOLUME_TIMER) {
        flushPendingLevel();
        return true;
    }
    if (id == CACHE_MAIN_VOLUME_TIMER) {
        flushPendingMainVolume();
        return true;
    }
    if (id == GET_MAIN_VOLUME_TIMER) {
        LogWrite("GET_MAIN_VOLUME_TIMER, getMainVolumeTimer=%d\n", mMainVolumePolls);
        if (mMainVolumePolls > 0) {
            --mMainVolumePolls;
            m.host().startTimer(GET_MAIN_VOLUME_TIMER, kMainVolumePollMs);
            m.link().Get_Main_Volume();
        } else {
            m.host().killTimer(GET_MAIN_VOLUME_TIMER);
        }
        return true;
    }
    return false;
}

} // namespace dravo
