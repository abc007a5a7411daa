#include "link/device_search.h"

#include "link/busy_window.h"
#include "link/connection.h"
#include "link/frame.h"
#include "link/transactions.h"

#include <QtMath>

namespace nodra::link {

namespace {

// The probe: one byte of working memory; only that a valid reply comes back counts.
const QString kProbeCount = QStringLiteral("01");
const QString kProbeAddress = QStringLiteral("0014");

const QString kNotFoundHeadline = QStringLiteral("Не удалось определить прибор");
const QString kCheckPort = QStringLiteral("Проверте порт подключения");

QString ThreeDigits(int address)
{
    return QStringLiteral("%1").arg(address, 3, 10, QLatin1Char('0'));
}

QString HexAddress(int address)
{
    return QStringLiteral("%1").arg(address, 2, 16, QLatin1Char('0')).toUpper();
}

// What was in effect when the search began; put back unless a panel is found.
struct Remembered {
    qint32 baud;
    QString deviceAddress;

    void restore(PanelLink& link, OperationView& view) const
    {
        link.port().setBaudRate(baud);
        link.setDeviceAddress(deviceAddress);
        // The link baud list shows the speed in effect again.
        ConnectionShown shown;
        shown.linkBaudIndex = BaudIndex(baud);
        view.showConnection(shown);
    }
};

}  // namespace

QString SearchCaption(int address, int baudIndex)
{
    return QStringLiteral("Попытка доступа к адресу: ") + ThreeDigits(address) + QStringLiteral(" | ")
        + LinkBaudEntries()[baudIndex];
}

QString SearchFoundText(int address, int baudIndex)
{
    return QStringLiteral("Адрес прибора: ") + ThreeDigits(address) + QStringLiteral(", Скорость: ")
        + LinkBaudEntries()[baudIndex];
}

SearchResult SearchDevice(PanelLink& link, OperationView& view)
{
    const RunningOperation running(link);
    if (!running)
        return NotStarted<SearchResult>();
    SearchResult result;
    Port& port = link.port();
    BusyWindow busy(link, view);
    link.pump();
    busy.setProgress(0);
    const Remembered remembered{port.baudRate(), link.deviceAddress()};
    const auto notFound = [&] {
        if (port.isOpen())
            port.close();
        busy.close();
        remembered.restore(link, view);
        view.showMessage(MessageKind::Error, kNotFoundHeadline, kCheckPort);
        result.outcome = SearchResult::Outcome::NotFound;
        return result;
    };

    try {
        busy.show(SearchCaption(0, 0));
        link.pump();
        port.open();
        for (int a = 0; a < kSearchAddresses; ++a) {
            for (int i = 0; i < kBaudCount; ++i) {
                link.setDeviceAddress(HexAddress(a));
                busy.setCaption(SearchCaption(a, i));
                if (port.isOpen())
                    port.close();
                port.setBaudRate(kBauds[i]);
                port.open();
                ++result.probes;
                if (ProbeRam(link, kProbeCount, kProbeAddress, kProbeLimit) != kFailed) {
                    port.close();
                    busy.setProgress(100);
                    busy.close();
                    const QString field = ThreeDigits(a);
                    view.showConnection({i, field, i, field});
                    view.showMessage(MessageKind::Confirmation, QString(), SearchFoundText(a, i));
                    result.outcome = SearchResult::Outcome::Found;
                    result.addressIndex = a;
                    result.baudIndex = i;
                    return result;
                }
                busy.setProgress(qRound((a + 1) * 100.0 / kSearchAddresses));
                link.pump();
                if (CheckCancel(busy)) {
                    remembered.restore(link, view);
                    result.outcome = SearchResult::Outcome::Cancelled;
                    return result;
                }
            }
        }
    } catch (const PortError&) {
        return notFound();
    }
    return notFound();
}

}  // namespace nodra::link
