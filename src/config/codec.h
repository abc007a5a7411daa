#pragma once
// The settings codec: the configuration image to the form state of the tabs
// ("image to controls") and back ("controls to image"), step by step in the
// panel's fixed order. A conversion error stops at the failing setting:
// what earlier steps set keeps its new value, the rest keeps the old one.
//
// Decode into a copy of the current form state and load the copy into the
// tabs afterwards, also after an error.

#include "config/conversion.h"
#include "config/form_state.h"
#include "config/image.h"

#include <QString>
#include <optional>

namespace nodra::config {

struct DecodeResult {
    std::optional<ConversionError> error;
    // Set once block 0084 has been decoded: the text of the link address
    // field Edit17 ("012") and the device address its "ОК" makes current
    // ("0C"); no address when the field holds none the panel can have.
    std::optional<QString> linkAddressField;
    std::optional<QString> deviceAddress;

    bool ok() const { return !error; }
};

struct EncodeResult {
    std::optional<ConversionError> error;

    bool ok() const { return !error; }
};

// Image to controls, into `state`.
DecodeResult DecodeImage(const ConfigImage& image, FormState& state);

// Controls to image: rebuilds every block the tabs own; never touches 0063,
// 0101, 0102, the loop extended settings, the loop currents or 03FB.
EncodeResult EncodeForm(const FormState& state, ConfigImage& image);

}  // namespace nodra::config
