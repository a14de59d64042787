// Exact products of two 64-bit integers and their rounded quotients, for
// price and quantity arithmetic that must not overflow. Portable: 32-bit
// compilers have no 128-bit integer type.
#pragma once

#include <cstdint>

namespace fiscal {

// A 128-bit magnitude with its sign.
struct Ancho128 {
  uint64_t alto = 0, bajo = 0;
  bool negativo = false;
};

// a x b, exactly.
Ancho128 Producto(int64_t a, int64_t b);

// num / den rounded half away from zero, saturated to the range of int64;
// 0 when den is 0.
int64_t CocienteRedondeado(const Ancho128& num, const Ancho128& den);

}  // namespace fiscal
