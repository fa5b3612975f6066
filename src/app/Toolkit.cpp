#include "Toolkit.h"

#include "Languages.h"
#include "Skin.h"

namespace dravo {

bool InitToolkit()
{
    return LoadSkin();
}

void ReleaseToolkit()
{
    ReleaseSkin();
    ReleaseLanguages();
}

} // namespace dravo
