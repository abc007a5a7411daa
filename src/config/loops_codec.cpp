// Loops tab: mode block (enabled, type, silent alarm) and delays block
// (entry delay in the low nibble, exit delay in the high one) of each loop.

#include "config/codec_steps.h"

namespace nodra::config::codec {

namespace {

constexpr int kEnabledBit = 0;
constexpr int kIntrusionBit = 1;
constexpr int kSilentBit = 2;
constexpr int kDelayEntries = 16;  // a nibble: every value has its entry

QString loopSetting(int n)
{
    return QStringLiteral("Шлейфы, ШС %1").arg(n);
}

}  // namespace

void DecodeLoops(const ImageReader& in, LoopsState& loops)
{
    for (int n = 1; n <= kLoopCount; ++n) {
        LoopSettings& loop = loops.loops[size_t(n - 1)];
        const quint32 mode = in.value(block::LoopMode(n), loopSetting(n));
        loop.enabled = IsSet(mode, kEnabledBit);
        loop.intrusion = IsSet(mode, kIntrusionBit);
        loop.silentAlarm = IsSet(mode, kSilentBit);
        const quint32 delays = in.value(block::LoopDelays(n), loopSetting(n) + QStringLiteral(": вход и выход из помещения"));
        loop.entryDelay = int(delays & 0xF);
        loop.exitDelay = int((delays >> 4) & 0xF);
    }
}

void EncodeLoops(const LoopsState& loops, ImageWriter& out)
{
    for (int n = 1; n <= kLoopCount; ++n) {
        const LoopSettings& loop = loops.loops[size_t(n - 1)];
        out.set(block::LoopMode(n), HexByte(Bit(loop.enabled, kEnabledBit) | Bit(loop.intrusion, kIntrusionBit)
                                            | Bit(loop.silentAlarm, kSilentBit)));
        const int entry = out.selection(loop.entryDelay, kDelayEntries, loopSetting(n) + QStringLiteral(": Вход в помещение"));
        const int exit = out.selection(loop.exitDelay, kDelayEntries, loopSetting(n) + QStringLiteral(": Выход из помещения"));
        out.set(block::LoopDelays(n), HexByte(exit << 4 | entry));
    }
}

}  // namespace nodra::config::codec
