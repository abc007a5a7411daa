#pragma once
// Images and form states for the configuration tests: a just-started
// window, with a few blocks or fields changed.

#include "config/codec.h"
#include "config/defaults.h"

#include <QStringList>
#include <functional>
#include <map>

namespace nodra::test {

// "0360=07": the factory image with these blocks replaced.
inline config::ConfigImage ImageWith(const QStringList& blocks, config::ConfigImage image = config::FactoryImage())
{
    for (const QString& change : blocks) {
        const qsizetype eq = change.indexOf(QLatin1Char('='));
        image.setBlock(change.left(eq).toInt(nullptr, 16), change.mid(eq + 1));
    }
    return image;
}

inline QString BlocksOf(const config::ConfigImage& image, const QStringList& addresses)
{
    QStringList shown;
    for (const QString& address : addresses)
        shown << address + QLatin1Char('=') + image.block(address.toInt(nullptr, 16));
    return shown.join(QLatin1Char(' '));
}

// The addresses of "0360=07 0362=A3" style lists.
inline QStringList AddressesOf(const QStringList& blocks)
{
    QStringList addresses;
    for (const QString& change : blocks)
        addresses << change.left(change.indexOf(QLatin1Char('=')));
    return addresses;
}

}  // namespace nodra::test
