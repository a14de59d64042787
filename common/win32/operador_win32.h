// The operator of a Windows process.
#pragma once

#include "../plataforma.h"

namespace fiscal {

// Message boxes when the process can show windows (an interactive window
// station), the console operator otherwise (services, headless runs).
Operador& OperadorDeWindows();

}  // namespace fiscal
