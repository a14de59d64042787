// Numbers, amounts, dates and times as the printers and the operator read
// them. Amounts are exact decimals, never binary floating point.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "plataforma.h"

namespace fiscal {

// A decimal number held exactly, in millionths.
struct Decimal {
  static constexpr int kDecimales = 6;
  static constexpr int64_t kUno = 1'000'000;
  int64_t millonesimos = 0;

  static Decimal Entero(int64_t v) { return {v * kUno}; }
  bool operator==(const Decimal&) const = default;
  auto operator<=>(const Decimal&) const = default;
  // Rounded half away from zero to `decimales` places, as a count of
  // units of that place (1.005 with 2 decimals gives 101).
  int64_t Redondeado(int decimales) const;
};

// Decimal conversion of a text: leading blanks, an optional sign, digits,
// a point and more digits; anything else ends the number. A text that is
// no number reads as 0. Decimals beyond the sixth are rounded.
Decimal LeerDecimal(std::string_view texto);
// The same conversion to `decimales` places (at most 18), as a count of
// units of the last place; the whole part saturates at `tope_entero`.
int64_t LeerEscalado(std::string_view texto, int decimales, int64_t tope_entero);

// W digits, zero-filled, no sign. A value with more digits than W keeps
// them all, so the printer refuses the field instead of taking a cut one.
std::string EnteroFijo(int64_t valor, int ancho);
// W digits, zero-filled, the last D of them decimals, no point, no sign
// (W = 8, D = 3: 1.5 gives 00001500).
std::string DecimalesImplicitos(Decimal valor, int ancho, int decimales);
// W characters with the point, zero-filled, D decimals (W = 5, D = 2:
// 21 gives 21.00); a negative value begins with "-" when `con_signo`.
std::string DecimalConPunto(Decimal valor, int ancho, int decimales, bool con_signo = false);
// Right-aligned in 14 characters, two decimals, commas between thousands
// (1234.5 gives "      1,234.50").
std::string ImporteVisible(Decimal valor);

// yymmdd and hhmmss.
std::string FechaImpresora(const FechaHora& f);
std::string HoraImpresora(const FechaHora& f);
// dd/mm/yy and hh:mm:ss from the host's date and time serials; blank when 0.
std::string FechaVisible(int32_t serial);
std::string HoraVisible(int32_t serial);

}  // namespace fiscal
