// Outputs tab: the relay and "СЗО" switches, the relays' state rows, the
// active-state limit of "СЗО", and the communicator bits of block 0083.

#include "config/codec_steps.h"

namespace nodra::config::codec {

namespace {

constexpr int kSwitchBit = 0;
constexpr int kAllBit = 0;        // "И"; clear: "ИЛИ"
constexpr int kFirstLoopBit = 1;  // loops 1-4 in bits 1-4
constexpr int kConnectedBit = 0;
constexpr int kBuiltWithCommunicatorBit = 3;

const char16_t* const kStateNames[kRelayStates] = {u"Пожар", u"Тревога", u"Неисправность"};

struct Switch {
    int block;
    bool OutputsState::*member;
    const char16_t* caption;
};

const Switch kSwitches[] = {
    {block::kFireRelay, &OutputsState::fireRelay, u"Выходы, Реле \"Пожар\""},
    {block::kFaultRelay, &OutputsState::faultRelay, u"Выходы, Реле \"Неисправность\""},
    {block::kSirenOutput, &OutputsState::sirenOutput, u"Выходы, Выход \"СЗО\""},
};

struct Relay {
    int firstBlock;
    std::array<RelayRule, kRelayStates> OutputsState::*rules;
    const char16_t* name;
};

const Relay kRelays[] = {
    {block::kFireRelayRules, &OutputsState::fireRelayRules, u"Выходы, Реле \"Пожар\""},
    {block::kFaultRelayRules, &OutputsState::faultRelayRules, u"Выходы, Реле \"Неисправность\""},
};

QString ruleSetting(const Relay& relay, int state)
{
    return QString::fromUtf16(relay.name) + QStringLiteral(": Состояние \"%1\"").arg(QString::fromUtf16(kStateNames[state]));
}

}  // namespace

void DecodeSwitches(const ImageReader& in, OutputsState& outputs)
{
    for (const Switch& s : kSwitches)
        outputs.*s.member = IsSet(in.value(s.block, QString::fromUtf16(s.caption)), kSwitchBit);
}

void EncodeSwitches(const OutputsState& outputs, ImageWriter& out)
{
    for (const Switch& s : kSwitches)
        out.set(s.block, HexByte(Bit(outputs.*s.member, kSwitchBit)));
}

void DecodeRelayRules(const ImageReader& in, OutputsState& outputs)
{
    for (const Relay& relay : kRelays) {
        for (int state = 0; state < kRelayStates; ++state) {
            const quint32 row = in.value(relay.firstBlock + state, ruleSetting(relay, state));
            RelayRule& rule = (outputs.*relay.rules)[size_t(state)];
            rule.all = IsSet(row, kAllBit);
            for (int loop = 0; loop < kLoopCount; ++loop)
                rule.loops[size_t(loop)] = IsSet(row, kFirstLoopBit + loop);
        }
    }
    const quint32 limit = in.value(block::kSirenLimit, QStringLiteral("Выходы, Ограничение активного состояния"));
    outputs.sirenLimited = limit != 0;
    if (outputs.sirenLimited)
        outputs.sirenLimitMinutes = kSirenLimitRange.clamp(int(limit));
}

void EncodeRelayRules(const OutputsState& outputs, ImageWriter& out)
{
    for (const Relay& relay : kRelays) {
        for (int state = 0; state < kRelayStates; ++state) {
            const RelayRule& rule = (outputs.*relay.rules)[size_t(state)];
            int row = Bit(rule.all, kAllBit);
            for (int loop = 0; loop < kLoopCount; ++loop)
                row |= Bit(rule.loops[size_t(loop)], kFirstLoopBit + loop);
            out.set(relay.firstBlock + state, HexByte(row));
        }
    }
    // The limit is kept whether or not "СЗО" itself is on.
    out.set(block::kSirenLimit, outputs.sirenLimited ? HexByte(outputs.sirenLimitMinutes) : QStringLiteral("00"));
}

void DecodeCommunicatorBits(quint32 flags, OutputsState& outputs)
{
    outputs.communicatorConnected = IsSet(flags, kConnectedBit);
    outputs.builtWithCommunicator = IsSet(flags, kBuiltWithCommunicatorBit);
}

int CommunicatorBits(const OutputsState& outputs)
{
    return Bit(outputs.communicatorConnected, kConnectedBit)
           | Bit(outputs.builtWithCommunicator, kBuiltWithCommunicatorBit);
}

}  // namespace nodra::config::codec
