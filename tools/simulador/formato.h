// Number and text forms of the printer's fields.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "codec.h"

namespace simulador {

// A number as the host sends it: with a decimal point ("12.50", "-3.5"),
// or digits only with `implicitos` implied decimals ("000001250").
// Leading blanks are allowed; false for anything else.
bool LeerNumero(std::string_view texto, int implicitos, long double& valor);
// A whole number of digits only.
bool LeerEntero(std::string_view texto, long& valor);

// `ancho` digits, zero-filled, the last `implicitos` being decimals; a
// negative value starts with "-".
std::string Implicito(long double valor, int ancho, int implicitos);
// Decimal text with a point and `decimales` decimals, no padding.
std::string ConPunto(long double valor, int decimales);
// Right-aligned amount with two decimals for the paper roll.
std::string ImporteRollo(long double valor);

// The text without print attribute bytes (F0h and above) and DEL.
std::string SinAtributos(std::string_view texto);
// A text cut or blank-padded to `ancho` characters.
std::string Ajustar(std::string_view texto, size_t ancho);

// Field n (from 1) of a command; empty when it was not sent.
const std::string& Campo(const Trama& t, size_t n);
// Whether a field is exactly one of the characters in `permitidos`.
bool Uno(const std::string& campo, const char* permitidos);

// "Campo con error: N", the return field of a refused field.
std::string CampoConError(int campo);

}  // namespace simulador
