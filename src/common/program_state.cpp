#include "common/program_state.h"

namespace varnemo {

void ProgramState::LoadExcludeFromViewValues()
{
    ExcludeFromViewValues = {"D", "S"};
}

}  // namespace varnemo
