#include "common/program_state.h"

namespace varnemo {

void ProgramState::LoadExcludeFromViewValues()
{
    ExcludeFromViewValues = {"D", "S"};
}

std::vector<std::string> ProgramState::ExcludeFromViewList() const
{
    return {ExcludeFromViewValues.begin(), ExcludeFromViewValues.end()};
}

}  // namespace varnemo
