// The operator of a Windows process.
#pragma once

#include "../plataforma.h"
#include "../ventanas.h"

namespace fiscal {

// Message boxes when the process can show windows (an interactive window
// station), the console operator otherwise (services, headless runs).
Operador& OperadorDeWindows();

// The parameter editor as a modal dialog; SinPantalla when it cannot be
// created.
ResultadoDialogo EditarParametrosWin32(EdicionParametros& edicion);


}  // namespace fiscal
