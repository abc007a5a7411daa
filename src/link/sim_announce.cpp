#include "link/sim_announce.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <unistd.h>
#endif

namespace nodra::link {

QString SimulatorAnnounceDir()
{
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (base.isEmpty() || !QFileInfo(base).isDir()) {
#ifdef Q_OS_UNIX
        base = QDir::tempPath() + QStringLiteral("/nodra-%1").arg(getuid());
#else
        base = QDir::tempPath();
#endif
    }
    return base + QStringLiteral("/nodra-panel-sim");
}

// Simulators run on pseudo-terminals, which only Unix systems have.
static bool processRunning(qint64 pid)
{
#ifdef Q_OS_UNIX
    return pid > 0 && (kill(pid_t(pid), 0) == 0 || errno == EPERM);
#else
    Q_UNUSED(pid);
    return false;
#endif
}

QStringList AnnouncedSimulatorTerminals()
{
    QStringList terminals;
    const QDir dir(SimulatorAnnounceDir());
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Files)) {
        bool isPid = false;
        const qint64 pid = entry.fileName().toLongLong(&isPid);
        if (!isPid || !processRunning(pid))
            continue;
        QFile file(entry.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString path = QString::fromUtf8(file.readLine()).trimmed();
        if (!path.isEmpty() && QFileInfo::exists(path))
            terminals << path;
    }
    return terminals;
}

}  // namespace nodra::link
