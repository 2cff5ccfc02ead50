// Standard MIDI Files built byte by byte, for the tests that need a file no
// song writer would make: any format, any division, any damage.
#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>

namespace smfbytes {

inline QByteArray be(uint32_t v, int width)
{
    QByteArray b;
    for (int i = width - 1; i >= 0; --i)
        b.append(char((v >> (8 * i)) & 0xFF));
    return b;
}

inline QByteArray varLen(uint32_t v)
{
    QByteArray b(1, char(v & 0x7F));
    while (v >>= 7)
        b.prepend(char(0x80 | (v & 0x7F)));
    return b;
}

inline QByteArray track(const QByteArray& events)
{
    return "MTrk" + be(uint32_t(events.size()), 4) + events;
}

inline QByteArray smf(int format, int division, const QList<QByteArray>& events)
{
    QByteArray file = "MThd" + be(6, 4) + be(uint32_t(format), 2) + be(uint32_t(events.size()), 2)
        + be(uint32_t(division), 2);
    for (const QByteArray& e : events)
        file += track(e);
    return file;
}

inline const QByteArray endOfTrack("\x00\xFF\x2F\x00", 4);
// Middle C at once, held `ticks`.
inline QByteArray note(uint32_t ticks)
{
    return QByteArray("\x00\x90\x3C\x64", 4) + varLen(ticks) + QByteArray("\x80\x3C\x00", 3);
}
// Half a second at the default tempo and 480 ticks to the quarter.
inline const QByteArray oneNote = note(480);

} // namespace smfbytes
