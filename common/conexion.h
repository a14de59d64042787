// The printer connection of one call: parameters loaded, port opened and
// configured, the printer's identity read on first contact.
#pragma once

namespace fiscal {

void CargarParametros();
void IniciarConexion();

}  // namespace fiscal
