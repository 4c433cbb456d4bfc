#pragma once
// A command frame as the host sends it: the binary plant byte, then the text.

#include <QByteArray>

namespace support {

inline QByteArray FrameBytes(int plant, const char *rest)
{
    return QByteArray(1, char(plant)) + QByteArray(rest);
}

} // namespace support
