#pragma once
// "Записать" of the "Коды" tab: the 80 report codes into the panel on their
// own, in five pieces of 32 bytes, then a restart so that the panel uses them.

#include "codes/code_table.h"
#include "config/image.h"
#include "link/operation_view.h"
#include "link/panel_link.h"

#include <QString>

namespace nodra::codes {

inline const QString kCodesWriteCaption = QStringLiteral("Запись кодов...");

struct CodesWriteResult {
    enum class Outcome {
        Written,     // all five pieces written, the panel restarted
        NotHex,      // a cell is not hex digits; nothing sent, the image unchanged
        Failed,      // a piece got no acknowledgement; earlier pieces stay written
        Cancelled,   // the installer stopped it; earlier pieces stay written
        PortFailed,  // the port could not be opened; nothing sent
        NotStarted,  // another operation holds the link
    };
    Outcome outcome = Outcome::Failed;
    int pieces = 0;  // pieces the panel acknowledged
};

// The grid's codes as typed (lower-case digits stay lower case) become block
// 0208 and go to the panel piece by piece. The port and the busy window are
// closed afterwards, and the outcome is shown.
CodesWriteResult WriteCodes(link::PanelLink& link, link::OperationView& view, const CodesState& codes,
                            config::ConfigImage& image);

}  // namespace nodra::codes
