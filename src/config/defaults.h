#pragma once
// The factory defaults: the image the program starts with, and the form
// state the tabs show right after start-up (the defaults decoded into the
// tabs, then the start-up's own texts and list selections).

#include "config/form_state.h"
#include "config/image.h"

#include <QString>

namespace nodra::config {

// One digit per user: user u's default password is the digit u.
QString DefaultPassword(int user);

// The complete default image; the firmware version, the operating time and
// the loop currents stay empty until a panel is read.
ConfigImage FactoryImage();

struct StartupState {
    ConfigImage image;       // the factory image
    FormState form;          // what the tabs show
    QString deviceAddress;   // the current device address: "00"
};

// The state of a window that has just started. The lists are still empty
// while the defaults are decoded, so the start-up's own selections hold:
// Contact ID for number 1, Franklin, Sescoa for number 2, "1 мин." for every
// delay, 115200 for the panel; both "Занято" checks off; the loop texts
// with "#" for "№"; the clock correction at its form position.
StartupState Startup();

}  // namespace nodra::config
