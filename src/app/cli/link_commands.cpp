// The raw memory operations of the service window, one transaction each: the
// port is opened, the transaction made, the port closed.

#include "app/cli/cli.h"

#include "link/frame.h"
#include "link/transactions.h"

namespace nodra::cli {

namespace {

// A read prints the reply's data; a failed exchange prints "ERR".
int PrintRead(Context& context, const QString& reply)
{
    context.port().close();
    if (reply == link::kFailed) {
        context.err() << link::kFailed << Qt::endl;
        return kFailed;
    }
    context.out() << link::ReplyPayload(reply) << Qt::endl;
    return kSuccess;
}

int Acknowledged(Context& context, bool ok)
{
    context.port().close();
    if (!ok) {
        context.err() << link::kFailed << Qt::endl;
        return kFailed;
    }
    return kSuccess;
}

}  // namespace

int RunPorts(Context& context)
{
    for (const QString& port : context.port().listPorts())
        context.out() << port << Qt::endl;
    return kSuccess;
}

int RunEepromRead(Context& context)
{
    if (!context.openPort())
        return kFailed;
    return PrintRead(context, link::ReadEeprom(context.link(), context.args()[0], context.args()[1]));
}

int RunEepromWrite(Context& context)
{
    if (!context.openPort())
        return kFailed;
    return Acknowledged(context, link::WriteEeprom(context.link(), context.args()[0], context.args()[1]));
}

int RunRamRead(Context& context)
{
    if (!context.openPort())
        return kFailed;
    return PrintRead(context, link::ReadRam(context.link(), context.args()[0], context.args()[1],
                                            link::kRamBlockLimit));
}

int RunRamWrite(Context& context)
{
    if (!context.openPort())
        return kFailed;
    try {
        return Acknowledged(context, link::WriteRam(context.link(), context.args()[0], context.args()[1]));
    } catch (const link::PortError& error) {
        context.port().close();
        context.err() << error.message() << Qt::endl;
        return kFailed;
    }
}

int RunRestart(Context& context)
{
    if (!context.openPort())
        return kFailed;
    return Acknowledged(context, link::RestartPanel(context.link()));
}

}  // namespace nodra::cli
