#include "link/port.h"

#include <algorithm>
#include <cmath>

namespace nodra::link {

PortError::PortError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message)
{
}

double CharacterTimeUs(qint32 baud)
{
    return baud > 0 ? kBitsPerCharacter * 1e6 / baud : 0.0;
}

qint64 ReadTimeoutUs(int limit, qint32 baud)
{
    const qint64 nominal = qint64(limit) * kReadMsPerCharacter * 1000;
    const auto onLine = qint64(std::ceil(limit * CharacterTimeUs(baud) * kLineTimeMargin));
    return std::max(nominal, onLine) + kReadConstantMs * 1000;
}

qint64 WriteTimeoutUs(int characters)
{
    return (qint64(characters) * kWriteMsPerCharacter + kWriteConstantMs) * 1000;
}

ReadRule::ReadRule(int limit, qint32 baud)
    : limit_(std::max(limit, 0)), totalUs_(ReadTimeoutUs(limit_, baud))
{
}

bool ReadRule::take(char c, qint64 atUs)
{
    if (finished() || atUs > deadlineUs())
        return false;
    text_.append(c);
    lastUs_ = atUs;
    if (c == ':')
        frameStarted_ = true;
    return true;
}

bool ReadRule::finished() const
{
    return text_.size() >= limit_ || text_.endsWith(';');
}

qint64 ReadRule::deadlineUs() const
{
    if (lastUs_ >= 0 && !frameStarted_)
        return std::min(totalUs_, lastUs_ + kReadIntervalMs * 1000);
    return totalUs_;
}

QStringList SortedPortNames(QStringList names)
{
    names.removeDuplicates();
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<QString> OpenUnlessOpen(Port& port)
{
    try {
        if (!port.isOpen())
            port.open();
    } catch (const PortError& error) {
        port.close();
        return error.message();
    }
    return std::nullopt;
}

}  // namespace nodra::link
