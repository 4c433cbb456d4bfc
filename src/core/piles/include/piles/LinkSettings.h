#pragma once
// The settings file's part in the link: the reply time-out ([COM] TIMEOUT) and the
// port devices ([Ports] COMn, read at every lookup, so a changed entry applies to
// the next open; none named: the link's default mapping).

void ApplyLinkSettings();
