#include "piles/LinkSettings.h"

#include "link/Link.h"
#include "link/Port.h"
#include "settings/SettingsFile.h"

void ApplyLinkSettings()
{
    LinkValues().BaseTimeout = quint16(ReplyTimeoutSetting(LinkValues().BaseTimeout));
    SetPortNameResolver([](int n) { return PortDeviceSetting(n); });
}
