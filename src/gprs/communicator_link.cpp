#include "gprs/communicator_link.h"

#include "link/frame.h"

namespace nodra::gprs {

QString CommunicatorFrame(const QString& body)
{
    return link::kFrameStart + body + link::FrameChecksum(body) + link::kFrameEnd;
}

CommunicatorLink::CommunicatorLink(link::Port& port, link::OperationView& view, GprsProgress& progress)
    : port_(port), view_(view), progress_(progress)
{
}

void CommunicatorLink::setProgressObserver(std::function<void(const GprsProgress&)> observer)
{
    observer_ = std::move(observer);
}

void CommunicatorLink::setProgressMaximum(int maximum)
{
    progress_.maximum = maximum;
    if (observer_)
        observer_(progress_);
}

void CommunicatorLink::setPosition(int position)
{
    progress_.position = position;
    if (observer_)
        observer_(progress_);
}

void CommunicatorLink::preparePort(const QString& portName)
{
    if (port_.isOpen())
        port_.close();
    port_.setPortName(portName);
    port_.setBaudRate(kCommunicatorBaud);
    port_.open();
}

bool CommunicatorLink::exchange(const QString& body, Quiet quiet)
{
    failed_ = false;
    const QByteArray frame = CommunicatorFrame(body).toLatin1();
    for (int tries = 0; tries < kExchangeTries; ++tries) {
        lastReply_.clear();
        // A reply that came too late for the previous try must not be taken
        // for the reply to this one.
        port_.clearInput();
        port_.write(frame);
        port_.wait(kPauseMs);
        lastReply_ = QString::fromLatin1(port_.read(kReplyLimit));
        if (lastReply_.endsWith(link::kFrameEnd)) {
            setPosition(progress_.position + 1);
            return true;
        }
        port_.wait(kPauseMs);
    }
    if (quiet == Quiet::No) {
        port_.close();
        view_.showPlainMessage(kExchangeFailedMessage);
        setPosition(0);
        failed_ = true;
    }
    return false;
}

void CommunicatorLink::finish()
{
    setPosition(0);
    port_.close();
}

}  // namespace nodra::gprs
