// Internal access to the exported variables.
#pragma once

#include "lp_fiscal.h"

namespace fiscal {

// Back to the values at library load.
void ReiniciarExportadas();

}  // namespace fiscal
