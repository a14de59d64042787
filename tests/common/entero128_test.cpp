// Exact 128-bit products and rounded quotients, checked against the
// compiler's own 128-bit integers where this machine has them.
#include <gtest/gtest.h>

#include <random>

#include "common/entero128.h"

namespace {

using fiscal::CocienteRedondeado;
using fiscal::Producto;

#if defined(__SIZEOF_INT128__)
__int128 Referencia(__int128 num, __int128 den) {
  __int128 a = num < 0 ? -num : num, b = den < 0 ? -den : den;
  __int128 q = a / b, r = a % b;
  if (2 * r >= b) ++q;
  if ((num < 0) != (den < 0)) q = -q;
  const __int128 tope = INT64_MAX;
  return q > tope ? tope : q < -tope ? -tope : q;
}

TEST(Entero128, IgualQueLaAritmeticaDelCompilador) {
  std::mt19937_64 azar(20261211);
  const int64_t extremos[] = {0, 1, -1, 7, -7, 10, 1'000'000, -999'999'999'999, INT64_MAX,
                              -INT64_MAX, INT64_MIN + 1, 4'611'686'018'427'387'904};
  std::vector<int64_t> valores(std::begin(extremos), std::end(extremos));
  for (int i = 0; i < 200; ++i) valores.push_back(static_cast<int64_t>(azar()) >> (azar() % 63));
  for (int i = 0; i < 20000; ++i) {
    int64_t a = valores[azar() % valores.size()], b = valores[azar() % valores.size()];
    int64_t c = valores[azar() % valores.size()], d = valores[azar() % valores.size()];
    if (c == 0 || d == 0) continue;
    __int128 esperado = Referencia(static_cast<__int128>(a) * b, static_cast<__int128>(c) * d);
    ASSERT_EQ(static_cast<int64_t>(esperado), CocienteRedondeado(Producto(a, b), Producto(c, d)))
        << a << " * " << b << " / (" << c << " * " << d << ")";
  }
}
#endif

TEST(Entero128, RedondeoYCasosLimite) {
  EXPECT_EQ(2, CocienteRedondeado(Producto(3, 1), Producto(2, 1)));    // 1.5 -> 2
  EXPECT_EQ(-2, CocienteRedondeado(Producto(-3, 1), Producto(2, 1)));  // -1.5 -> -2
  EXPECT_EQ(1, CocienteRedondeado(Producto(4, 1), Producto(3, 1)));    // 1.33 -> 1
  EXPECT_EQ(0, CocienteRedondeado(Producto(5, 1), Producto(0, 1)));
  EXPECT_EQ(INT64_MAX, CocienteRedondeado(Producto(INT64_MAX, INT64_MAX), Producto(1, 1)));
  EXPECT_EQ(INT64_MAX, CocienteRedondeado(Producto(INT64_MAX, 10), Producto(10, 1)));
}

}  // namespace
