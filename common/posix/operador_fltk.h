// The operator of a POSIX process with an X display: FLTK message boxes
// and the parameter editor built from resources/editor_parametros.h.
#pragma once

#include <functional>

#include "../plataforma.h"

class Fl_Window;

namespace fiscal {

// The FLTK operator when an X display can be opened (the first call tries
// once), null otherwise. The display is opened here and handed to FLTK, so
// a process without one never reaches FLTK's own attempt, which exits.
Operador* OperadorFltk();

// Called with every window the operator shows, once it is on screen and
// before the operator waits for it; tests drive the window from here. An
// empty function removes the hook.
void PonerGanchoVentanas(std::function<void(Fl_Window&)> gancho);

}  // namespace fiscal
