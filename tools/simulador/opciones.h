// Settings and faults as words: the command line of fiscalsim ("--nak 2"),
// the lines it reads from standard input while it runs ("nak 2"), and the
// fixture's text orders all go through here.
#pragma once

#include <string>
#include <vector>

#include "simulador.h"

namespace simulador {

// How many values an option takes (0 or 1); -1 when it is unknown.
int ValoresDeOpcion(const std::string& nombre);
// Applies option `nombre` (without "--") with its value to `c`.
bool AplicarOpcion(Configuracion& c, const std::string& nombre, const std::string& valor,
                   std::string& error);
// Parses a whole command line (argv without the program name).
bool LeerLineaDeOrdenes(const std::vector<std::string>& argumentos, Configuracion& c,
                        std::string& error);
// Applies one or more orders ("nak 2", "paper out; z-due") to a running
// simulator: its faults, conditions and model settings.
bool AplicarOrden(Simulador& s, const std::string& orden, std::string& error);
// Bytes from hexadecimal pairs, blanks allowed ("02 41" or "0241").
bool LeerHexa(const std::string& texto, std::string& bytes);

// The option list for --help.
std::string Ayuda();

}  // namespace simulador
