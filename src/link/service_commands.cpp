#include "link/service_commands.h"

#include "link/busy_window.h"
#include "link/transactions.h"

namespace nodra::link {

namespace {

struct ServiceCommand {
    bool (*send)(PanelLink&);
    QString done;
    QString failed;
};

ServiceResult Run(PanelLink& link, OperationView& view, const ServiceCommand& command)
{
    const RunningOperation running(link);
    if (!running)
        return NotStarted<ServiceResult>();
    ServiceResult result;
    Port& port = link.port();
    try {
        port.open();
        bool done = false;
        if (port.isOpen())
            for (int call = 0; call < kServiceTries && !done; ++call)
                done = command.send(link);
        port.close();
        if (done) {
            view.showMessage(MessageKind::Confirmation, QString(), command.done);
            result.outcome = ServiceResult::Outcome::Done;
        } else {
            view.showMessage(MessageKind::Error, QString(), command.failed);
            result.outcome = ServiceResult::Outcome::NoAnswer;
        }
    } catch (const PortError& error) {
        // A missing or failing port ends the command without a message box.
        port.close();
        result.outcome = ServiceResult::Outcome::PortFailed;
        result.portError = error.message();
    }
    return result;
}

}  // namespace

ServiceResult RunSoundReset(PanelLink& link, OperationView& view)
{
    return Run(link, view,
               {ResetSound, QStringLiteral("Звук сброшен (если он был)"), QStringLiteral("Не удалось сбросить звук")});
}

ServiceResult RunDeviceReset(PanelLink& link, OperationView& view)
{
    return Run(link, view,
               {ResetDevice, QStringLiteral("Прибор сброшен"), QStringLiteral("Не удалось сбросить прибор")});
}

}  // namespace nodra::link
