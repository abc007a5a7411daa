#include "sim/panel_sim.h"

#include "link/connection.h"
#include "link/frame.h"

#include <QDateTime>
#include <QRegularExpression>

namespace nodra::sim {

namespace {

const QRegularExpression kHex(QStringLiteral("^([0-9A-Fa-f]{2})*$"));

bool isHex(const QString& text, int size = -1)
{
    return (size < 0 || text.size() == size) && kHex.match(text).hasMatch();
}

QString hex2(int value)
{
    return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

bool isJournalAddress(int address)
{
    return address >= address::kJournal && address < address::kJournal + address::kJournalSize;
}

}  // namespace

PanelSim::PanelSim()
{
    msecs_ = [] { return QDateTime::currentMSecsSinceEpoch(); };
    clockBaseAtMs_ = msecs_();
    applyStoredNetworkSettings();
    refreshClock();
}

void PanelSim::setAddress(int address)
{
    address_ = address;
    memory_.write(Area::Eeprom, address::kPanelAddress, QByteArray(1, char(address)));
}

void PanelSim::setBaud(qint32 baud)
{
    const int index = link::BaudIndex(baud);
    if (index < 0)
        return;
    baud_ = baud;
    memory_.writeHex(Area::Eeprom, address::kPanelBaudCode, link::PanelBaudCodes()[index]);
}

void PanelSim::applyStoredNetworkSettings()
{
    address_ = memory_.byte(Area::Eeprom, address::kPanelAddress);
    const int index = link::BaudIndexOfCode(memory_.read(Area::Eeprom, address::kPanelBaudCode, 1));
    if (index >= 0)  // an unknown code keeps the speed the panel runs at
        baud_ = link::kBauds[index];
}

void PanelSim::setTimeSource(std::function<qint64()> msecs)
{
    refreshClock();
    const qint64 seconds = memory_.byte(Area::Ram, address::kClock) * 3600
        + memory_.byte(Area::Ram, address::kClock + 1) * 60 + memory_.byte(Area::Ram, address::kClock + 2);
    msecs_ = std::move(msecs);
    clockBaseSeconds_ = seconds;
    clockBaseAtMs_ = msecs_();
}

void PanelSim::refreshClock()
{
    const qint64 seconds = (clockBaseSeconds_ + (msecs_() - clockBaseAtMs_) / 1000) % 86400;
    const char hms[3] = {char(seconds / 3600), char(seconds / 60 % 60), char(seconds % 60)};
    memory_.write(Area::Ram, address::kClock, QByteArray(hms, 3));
}

void PanelSim::clockWritten()
{
    const int h = memory_.byte(Area::Ram, address::kClock);
    const int m = memory_.byte(Area::Ram, address::kClock + 1);
    const int s = memory_.byte(Area::Ram, address::kClock + 2);
    clockBaseSeconds_ = (h * 3600 + m * 60 + s) % 86400;
    clockBaseAtMs_ = msecs_();
}

void PanelSim::addJournalEvent(int event)
{
    const int pointer = memory_.byte(Area::Ram, address::kJournalPointer);
    memory_.write(Area::Ram, address::kJournal + pointer, QByteArray(1, char(event)));
    memory_.write(Area::Ram, address::kJournalPointer, QByteArray(1, char((pointer + 1) % address::kJournalSize)));
}

void PanelSim::note(const QString& line) const
{
    if (log_)
        log_(line);
}

QList<Reply> PanelSim::receive(const QByteArray& bytes, qint32 lineBaud)
{
    input_.append(bytes);
    QList<Reply> replies;
    for (;;) {
        const qsizetype start = input_.indexOf(':');
        if (start < 0) {
            input_.clear();
            break;
        }
        const qsizetype end = input_.indexOf(';', start);
        if (end < 0) {
            input_.remove(0, start);
            break;
        }
        const QByteArray frame = input_.mid(start, end - start + 1);
        input_.remove(0, end + 1);
        requests_.append(frame);
        Reply reply = answer(frame, lineBaud);
        if (!reply.isEmpty()) {
            ++answered_;
            replies.append(reply);
        }
    }
    return replies;
}

bool PanelSim::faultsApply(const QString& command) const
{
    return faults_.onlyCommand.isEmpty() || faults_.onlyCommand.compare(command, Qt::CaseInsensitive) == 0;
}

Reply PanelSim::answer(const QByteArray& frame, qint32 lineBaud)
{
    note(QStringLiteral("-> %1").arg(QString::fromLatin1(frame)));
    if (lineBaud != baud_ && !faults_.alsoAtBauds.contains(lineBaud)) {
        note(QStringLiteral("   line at %1, panel at %2: nothing understood").arg(lineBaud).arg(baud_));
        return {};
    }
    const QString text = QString::fromLatin1(frame);
    // ":" + address + command + checksum + ";" at the least.
    if (text.size() < 8 || !link::CheckReplyFrame(text, link::ChecksumCheck::Verify))
        return {};
    bool addressOk = false;
    if (text.mid(1, 2).toInt(&addressOk, 16) != address_ || !addressOk)
        return {};
    const QString command = text.mid(3, 2);
    const QString payload = text.mid(5, text.size() - 8);

    sameRequestCount_ = frame == lastRequest_ ? sameRequestCount_ + 1 : 1;
    lastRequest_ = frame;
    const bool faulty = faultsApply(command);
    if (faulty && (faults_.noAnswer || sameRequestCount_ < faults_.answerFromTry
                   || (faults_.silentAfter >= 0 && answered_ >= faults_.silentAfter))) {
        note(QStringLiteral("   (no answer)"));
        return {};
    }
    if (faulty && faults_.echo)
        return shape(frame, command);
    if (faulty && !faults_.fixedReply.isEmpty())
        return shape(faults_.fixedReply, command);

    bool understood = false;
    const QByteArray data = execute(command, payload, &understood);
    if (!understood) {
        note(QStringLiteral("   (not understood)"));
        return {};
    }
    const QString body = QStringLiteral(":") + hex2(address_) + QStringLiteral("00") + command.toUpper()
        + QString::fromLatin1(data);
    QString checksum = link::FrameChecksum(body);
    if (faulty && faults_.wrongChecksum)
        checksum = hex2(checksum.toInt(nullptr, 16) + 1);
    Reply reply = shape((body + checksum + link::kFrameEnd).toLatin1(), command);
    if (restartPending_) {
        restartPending_ = false;
        applyStoredNetworkSettings();  // the reply still goes out at the old settings
    }
    return reply;
}

Reply PanelSim::shape(QByteArray reply, const QString& command) const
{
    if (faultsApply(command) && faults_.cutReplyTo > 0)
        reply.truncate(faults_.cutReplyTo);
    note(QStringLiteral("<- %1").arg(QString::fromLatin1(reply)));
    const qint64 delay = faultsApply(command) ? qint64(faults_.delayMs) * 1000 : 0;
    if (faultsApply(command) && faults_.splitAt > 0 && faults_.splitAt < reply.size())
        return {{delay, reply.left(faults_.splitAt)},
                {qint64(faults_.splitPauseMs) * 1000, reply.mid(faults_.splitAt)}};
    return {{delay, reply}};
}

QByteArray PanelSim::execute(const QString& command, const QString& payload, bool* understood)
{
    *understood = false;
    const auto readArea = [&](Area area) -> QByteArray {
        if (!isHex(payload, 6))
            return {};
        const int count = payload.left(2).toInt(nullptr, 16);
        const int address = payload.mid(2, 4).toInt(nullptr, 16);
        if (area == Area::Ram && address <= address::kClock + 2 && address + count > address::kClock)
            refreshClock();
        *understood = true;
        const QByteArray data = memory_.read(area, address, count).toLatin1();
        if (area == Area::Ram && isJournalAddress(address) && faults_.eventDuringJournalRead > 0)
            addJournalEvent(faults_.eventDuringJournalRead);
        return data;
    };
    const auto writeArea = [&](Area area) -> QByteArray {
        if (payload.size() < 4 || !isHex(payload))
            return {};
        const int address = payload.left(4).toInt(nullptr, 16);
        memory_.writeHex(area, address, payload.mid(4));
        if (area == Area::Ram && address <= address::kClock + 2 && address + payload.size() / 2 - 2 > address::kClock)
            clockWritten();
        *understood = true;
        return {};
    };

    const QString code = command.toUpper();
    if (code == QLatin1String("01"))
        return readArea(Area::Eeprom);
    if (code == QLatin1String("02"))
        return writeArea(Area::Eeprom);
    if (code == QLatin1String("03"))
        return readArea(Area::Ram);
    if (code == QLatin1String("04"))
        return writeArea(Area::Ram);
    if (code == QLatin1String("05") || code == QLatin1String("07")) {
        *understood = true;
        return {};
    }
    if (code == QLatin1String("08")) {
        *understood = true;
        restartPending_ = true;
        return {};
    }
    // The communicator's own memory, and the firmware probe: a byte the
    // configurator does not look at, then the version.
    if (code == QLatin1String("11"))
        return readArea(Area::Communicator);
    if (code == QLatin1String("12"))
        return writeArea(Area::Communicator);
    if (code == QLatin1String("39") && payload.isEmpty() && !firmware_.isEmpty()) {
        *understood = true;
        return "00" + firmware_.toLatin1();
    }
    return {};
}

}  // namespace nodra::sim
