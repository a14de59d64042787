#include "cifras_hasar.h"

#include <algorithm>

#include "../common/formatos.h"

namespace fiscal {

namespace {

using Largo = __int128;

constexpr int64_t Potencia(int n) {
  int64_t p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

// a / b rounded half away from zero.
int64_t DividirRedondeando(Largo a, Largo b) {
  if (b < 0) a = -a, b = -b;
  Largo q = (a >= 0 ? a + b / 2 : a - b / 2) / b;
  constexpr Largo kTope = INT64_MAX;
  return static_cast<int64_t>(std::clamp(q, -kTope, kTope));
}

int Acotar(int decimales) { return std::clamp(decimales, 0, Cifra::kDecimales); }

std::string Ceros(std::string s, size_t ancho) {
  if (s.size() < ancho) s.insert(0, ancho - s.size(), '0');
  return s;
}

}  // namespace

Cifra LeerCifra(std::string_view t) {
  constexpr int64_t kTope = 900'000'000;
  return {LeerEscalado(t, Cifra::kDecimales, kTope)};
}

Cifra Redondear(Cifra c, int decimales) {
  int64_t paso = Potencia(Cifra::kDecimales - Acotar(decimales));
  return {DividirRedondeando(c.v, paso) * paso};
}

Cifra Dividir(Cifra num, Cifra den, int decimales) {
  int64_t paso = Potencia(Cifra::kDecimales - Acotar(decimales));
  return {DividirRedondeando(Largo{num.v} * Cifra::kUno, Largo{den.v} * paso) * paso};
}

Cifra Multiplicar(Cifra a, Cifra b, int decimales) {
  int64_t paso = Potencia(Cifra::kDecimales - Acotar(decimales));
  return {DividirRedondeando(Largo{a.v} * b.v, Largo{Cifra::kUno} * paso) * paso};
}

std::string CifraConPunto(Cifra c, int ancho, int decimales) {
  decimales = Acotar(decimales);
  int64_t r = Redondear(c, decimales).v / Potencia(Cifra::kDecimales - decimales);
  bool negativo = r < 0;
  uint64_t a = negativo ? 0 - static_cast<uint64_t>(r) : static_cast<uint64_t>(r);
  uint64_t p = static_cast<uint64_t>(Potencia(decimales));
  std::string s = std::to_string(a / p);
  if (decimales > 0) s += "." + Ceros(std::to_string(a % p), static_cast<size_t>(decimales));
  s = Ceros(s, static_cast<size_t>(std::max(0, ancho - (negativo ? 1 : 0))));
  return negativo ? "-" + s : s;
}

std::string CifraPlana(Cifra c, int decimales) {
  std::string s = CifraConPunto(c, 0, decimales);
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  return s;
}

}  // namespace fiscal
