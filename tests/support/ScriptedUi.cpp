#include "support/ScriptedUi.h"

namespace velmora::test {

ScopedScriptedUi::ScopedScriptedUi()
{
    auto ui = std::make_unique<ScriptedUi>();
    ui_ = ui.get();
    previous_ = SetUiService(std::move(ui));
}

ScopedScriptedUi::~ScopedScriptedUi()
{
    SetUiService(std::move(previous_));
}

} // namespace velmora::test
