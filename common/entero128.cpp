#include "entero128.h"

namespace fiscal {

namespace {

uint64_t Magnitud(int64_t v) { return v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v); }

bool Menor(const Ancho128& a, const Ancho128& b) {
  return a.alto != b.alto ? a.alto < b.alto : a.bajo < b.bajo;
}

void Restar(Ancho128& a, const Ancho128& b) {
  uint64_t bajo = a.bajo - b.bajo;
  a.alto = a.alto - b.alto - (bajo > a.bajo ? 1 : 0);
  a.bajo = bajo;
}

void DesplazarIzquierda(Ancho128& a) {
  a.alto = (a.alto << 1) | (a.bajo >> 63);
  a.bajo <<= 1;
}

}  // namespace

Ancho128 Producto(int64_t a, int64_t b) {
  const uint64_t x = Magnitud(a), y = Magnitud(b);
  const uint64_t x0 = x & 0xFFFFFFFF, x1 = x >> 32, y0 = y & 0xFFFFFFFF, y1 = y >> 32;
  const uint64_t p00 = x0 * y0, p01 = x0 * y1, p10 = x1 * y0, p11 = x1 * y1;
  const uint64_t medio = (p00 >> 32) + (p01 & 0xFFFFFFFF) + (p10 & 0xFFFFFFFF);
  Ancho128 r;
  r.bajo = (medio << 32) | (p00 & 0xFFFFFFFF);
  r.alto = p11 + (p01 >> 32) + (p10 >> 32) + (medio >> 32);
  r.negativo = (a < 0) != (b < 0) && (r.alto | r.bajo) != 0;
  return r;
}

int64_t CocienteRedondeado(const Ancho128& num, const Ancho128& den) {
  if ((den.alto | den.bajo) == 0) return 0;
  // Binary long division of the magnitudes.
  Ancho128 cociente, resto;
  for (int bit = 127; bit >= 0; --bit) {
    DesplazarIzquierda(resto);
    resto.bajo |= (bit >= 64 ? num.alto >> (bit - 64) : num.bajo >> bit) & 1;
    DesplazarIzquierda(cociente);
    if (!Menor(resto, den)) {
      Restar(resto, den);
      cociente.bajo |= 1;
    }
  }
  // Half away from zero: up when twice the remainder reaches the divisor.
  Ancho128 doble = resto;
  bool desborda = (doble.alto >> 63) != 0;
  DesplazarIzquierda(doble);
  if (desborda || !Menor(doble, den)) {
    if (++cociente.bajo == 0) ++cociente.alto;
  }
  const bool negativo = num.negativo != den.negativo;
  constexpr uint64_t kMaximo = static_cast<uint64_t>(INT64_MAX);
  if (cociente.alto != 0 || cociente.bajo > kMaximo) return negativo ? -INT64_MAX : INT64_MAX;
  const int64_t q = static_cast<int64_t>(cociente.bajo);
  return negativo ? -q : q;
}

}  // namespace fiscal
