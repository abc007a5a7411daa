#pragma once
// "Найти прибор": every device address 000 to 254 at each of the seven line
// speeds (all speeds of one address before the next address), one short
// probe each, until a panel answers.

#include "link/operation_view.h"
#include "link/panel_link.h"

#include <QString>

namespace nodra::link {

inline constexpr int kSearchAddresses = 255;  // 00 to FE; FF is never a panel's address
inline constexpr int kSearchProbes = kSearchAddresses * 7;  // 1785

struct SearchResult {
    enum class Outcome {
        Found,       // the link is at the panel's address and speed
        NotFound,    // nothing answered, or the port failed; the link is as before
        Cancelled,   // the installer stopped it; the link is as before
        NotStarted,  // another operation holds the link
    };
    Outcome outcome = Outcome::NotFound;
    int addressIndex = -1;  // found: 0 to 254
    int baudIndex = -1;     // found: index in both baud lists
    int probes = 0;
};

// The busy window's caption while address `address` is tried at speed `baudIndex`.
QString SearchCaption(int address, int baudIndex);
// The confirmation's line for a panel found there.
QString SearchFoundText(int address, int baudIndex);

// Searches the selected port. Afterwards the port is closed; the device
// address and the port speed are the ones found, or those in effect before.
SearchResult SearchDevice(PanelLink& link, OperationView& view);

}  // namespace nodra::link
