#include "codes/code_buttons.h"

namespace nodra::codes {

namespace {

const QString kDefaultTestCode = QStringLiteral("1602");

void setTestCodes(config::FormState& state, const QString& code)
{
    for (config::TelephoneSettings& telephone : state.numbers.telephones)
        telephone.testCode = code;
}

}  // namespace

void ApplyStandardCodes(config::FormState& state, config::ConfigImage& image)
{
    image.setBlock(config::block::kCodes, DefaultCodesText());
    state.codes.cells = GridFromCodesText(DefaultCodesText());
    setTestCodes(state, kDefaultTestCode);
}

void ZeroCodes(config::FormState& state)
{
    state.codes.cells = QStringList(kRowCount, kZeroCode);
    setTestCodes(state, kZeroCode);
}

}  // namespace nodra::codes
