#include "piles/LinkSettings.h"

#include "link/Link.h"
#include "link/Port.h"
#include "settings/SettingsFile.h"

void ApplyLinkSettings()
{
    BaseTimeout = quint16(ReplyTimeoutSetting(BaseTimeout));
    SetPortNameResolver([](int n) { return PortDeviceSetting(n); });
}
