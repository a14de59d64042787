// Fixed-width, blank-padded texts and the small text routines every layer
// uses. All texts are Windows-1252 bytes held in std::string or char arrays.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace fiscal {

// The text without its trailing blanks.
constexpr std::string_view SinBlancosFinales(std::string_view t) {
  size_t n = t.size();
  while (n > 0 && t[n - 1] == ' ') --n;
  return t.substr(0, n);
}

constexpr bool EsBlanco(std::string_view t) { return SinBlancosFinales(t).empty(); }

// The text trimmed of blanks and tabs on both sides.
std::string_view Recortado(std::string_view t);

// Copies `valor` into a fixed array, cut at its width or blank-padded.
template <size_t N>
void AsignarFijo(char (&destino)[N], std::string_view valor) {
  size_t n = std::min(N, valor.size());
  if (n > 0) std::memcpy(destino, valor.data(), n);  // an empty view may hold no pointer
  std::memset(destino + n, ' ', N - n);
}

// A fixed array read as text, trailing blanks removed.
template <size_t N>
std::string_view LeerFijo(const char (&origen)[N]) {
  return SinBlancosFinales(std::string_view(origen, N));
}

// A text variable of fixed width N: cut when too long, blank-padded
// otherwise. Valor() gives the text without trailing blanks.
template <size_t N>
class Texto {
 public:
  Texto() { datos_.fill(' '); }
  Texto(std::string_view v) { Asignar(v); }  // NOLINT: reads like the fixed texts it models
  void Asignar(std::string_view v) {
    size_t n = std::min(N, v.size());
    if (n > 0) std::memcpy(datos_.data(), v.data(), n);  // an empty view may hold no pointer
    std::fill(datos_.begin() + n, datos_.end(), ' ');
  }
  Texto& operator=(std::string_view v) {
    Asignar(v);
    return *this;
  }
  std::string_view Valor() const { return SinBlancosFinales(Completo()); }
  std::string_view Completo() const { return {datos_.data(), N}; }
  bool Blanco() const { return Valor().empty(); }
  bool operator==(std::string_view v) const { return Valor() == SinBlancosFinales(v); }
  static constexpr size_t kAncho = N;

 private:
  std::array<char, N> datos_;
};

// Decimal conversion of a text: leading blanks and an optional sign, then
// digits; anything else stops the number. A text that is no number is 0.
int64_t LeerEntero(std::string_view t);

// Two uppercase hexadecimal digits of the low byte of `n`.
std::string HexaDeByte(unsigned n);

// Windows-1252 to UTF-8, for showing texts on a UTF-8 console or toolkit.
std::string Cp1252AUtf8(std::string_view t);

// UTF-8 to Windows-1252; characters outside the code page become '?'.
std::string Utf8ACp1252(std::string_view t);

}  // namespace fiscal
