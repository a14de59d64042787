// Quantities, prices and coefficients of the item line, exact to ten
// decimals (the quantity carries up to ten).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fiscal {

// A decimal in ten-billionths.
struct Cifra {
  static constexpr int kDecimales = 10;
  static constexpr int64_t kUno = 10'000'000'000;
  int64_t v = 0;
  auto operator<=>(const Cifra&) const = default;
};

// Decimal conversion of a text, as LeerDecimal but to ten decimals; the
// whole part saturates at 900,000,000 (far beyond any field).
Cifra LeerCifra(std::string_view texto);

// Rounded half away from zero to `decimales` places (kept in ten-billionths).
Cifra Redondear(Cifra c, int decimales);
// num / den rounded half away from zero to `decimales` places, both in
// ten-billionths; den must not be 0.
Cifra Dividir(Cifra num, Cifra den, int decimales);
Cifra Multiplicar(Cifra a, Cifra b, int decimales);

// `ancho` characters with the point and `decimales` decimals, zero-filled;
// a negative value begins with "-".
std::string CifraConPunto(Cifra c, int ancho, int decimales);
// Plain decimal text rounded to `decimales`: no leading zeros beyond one,
// no trailing zeros after the point (10 gives "10", 0.5 gives "0.5").
std::string CifraPlana(Cifra c, int decimales);

}  // namespace fiscal
