#pragma once
// The two buttons of the "Коды" tab as operations on the form state (and the
// image): "Стандартные" restores the factory codes, "Обнулить" clears them.
// Both also set the test message codes of the "Номера" tab.

#include "config/form_state.h"
#include "config/image.h"

namespace nodra::codes {

// "Стандартные": the default codes into block 0208 and the grid; both test
// message codes (Edit18, Edit19) "1602".
void ApplyStandardCodes(config::FormState& state, config::ConfigImage& image);

// "Обнулить": every code cell and both test message codes "0000". The image
// keeps its codes until the next encoding.
void ZeroCodes(config::FormState& state);

}  // namespace nodra::codes
