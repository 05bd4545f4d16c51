#pragma once
// Which screen each help page pictures and the parts of it that the page points at.
#include "info/help_picture.h"

namespace help {

HelpShot shotOf(int page);

}  // namespace help
