#include "cifras_hasar.h"

#include <algorithm>

#include "../common/entero128.h"
#include "../common/formatos.h"

namespace fiscal {

namespace {

constexpr int64_t Potencia(int n) {
  int64_t p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

// (a x b) / (c x d) rounded half away from zero, exactly.
int64_t DividirRedondeando(int64_t a, int64_t b, int64_t c, int64_t d) {
  return CocienteRedondeado(Producto(a, b), Producto(c, d));
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
  return {DividirRedondeando(c.v, 1, paso, 1) * paso};
}

Cifra Dividir(Cifra num, Cifra den, int decimales) {
  int64_t paso = Potencia(Cifra::kDecimales - Acotar(decimales));
  return {DividirRedondeando(num.v, Cifra::kUno, den.v, paso) * paso};
}

Cifra Multiplicar(Cifra a, Cifra b, int decimales) {
  int64_t paso = Potencia(Cifra::kDecimales - Acotar(decimales));
  return {DividirRedondeando(a.v, b.v, Cifra::kUno, paso) * paso};
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
