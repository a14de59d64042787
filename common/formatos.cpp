#include "formatos.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "lp_fiscal.h"

namespace fiscal {

namespace {

constexpr int64_t kPotencias[] = {1, 10, 100, 1'000, 10'000, 100'000, 1'000'000};

std::string Digitos(uint64_t v) { return std::to_string(v); }

std::string RellenarCeros(std::string s, size_t ancho) {
  if (s.size() < ancho) s.insert(0, ancho - s.size(), '0');
  return s;
}

}  // namespace

int64_t Decimal::Redondeado(int decimales) const {
  if (decimales > kDecimales) decimales = kDecimales;
  if (decimales < 0) decimales = 0;
  int64_t divisor = kPotencias[kDecimales - decimales];
  int64_t mitad = divisor / 2;
  return millonesimos >= 0 ? (millonesimos + mitad) / divisor : -((-millonesimos + mitad) / divisor);
}

int64_t LeerEscalado(std::string_view t, int decimales, int64_t tope_entero) {
  decimales = std::clamp(decimales, 0, 18);
  size_t i = 0;
  while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
  bool negativo = false;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) negativo = t[i++] == '-';
  int64_t entero = 0;
  for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
    entero = std::min(tope_entero, entero * 10 + (t[i] - '0'));
  }
  int64_t fraccion = 0;
  int cifras = 0;
  bool redondear = false;
  if (i < t.size() && t[i] == '.') {
    for (++i; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
      if (cifras < decimales) {
        fraccion = fraccion * 10 + (t[i] - '0');
        ++cifras;
      } else if (cifras == decimales) {
        redondear = t[i] >= '5';
        ++cifras;
      }
    }
  }
  int64_t escala = 1;
  for (int d = 0; d < decimales; ++d) escala *= 10;
  while (cifras < decimales) fraccion *= 10, ++cifras;
  int64_t v = entero * escala + fraccion + (redondear ? 1 : 0);
  return negativo ? -v : v;
}

Decimal LeerDecimal(std::string_view t) {
  // Larger numbers saturate, far from any overflow in later arithmetic.
  constexpr int64_t kTope = INT64_MAX / 100 / Decimal::kUno;
  return {LeerEscalado(t, Decimal::kDecimales, kTope)};
}

std::string EnteroFijo(int64_t valor, int ancho) {
  return RellenarCeros(Digitos(static_cast<uint64_t>(std::llabs(valor))), static_cast<size_t>(ancho));
}

std::string DecimalesImplicitos(Decimal valor, int ancho, int decimales) {
  return EnteroFijo(valor.Redondeado(decimales), ancho);
}

std::string DecimalConPunto(Decimal valor, int ancho, int decimales, bool con_signo) {
  int64_t r = valor.Redondeado(decimales);
  bool negativo = con_signo && r < 0;
  uint64_t a = static_cast<uint64_t>(std::llabs(r));
  uint64_t p = static_cast<uint64_t>(kPotencias[decimales < 0 ? 0 : decimales]);
  std::string s = Digitos(a / p);
  if (decimales > 0) s += "." + RellenarCeros(Digitos(a % p), static_cast<size_t>(decimales));
  s = RellenarCeros(s, static_cast<size_t>(ancho - (negativo ? 1 : 0)));
  return negativo ? "-" + s : s;
}

std::string ImporteVisible(Decimal valor) {
  int64_t c = valor.Redondeado(2);
  uint64_t a = static_cast<uint64_t>(std::llabs(c));
  std::string enteros = Digitos(a / 100);
  for (int i = static_cast<int>(enteros.size()) - 3; i > 0; i -= 3) enteros.insert(i, ",");
  std::string s = (c < 0 ? "-" : "") + enteros + "." + RellenarCeros(Digitos(a % 100), 2);
  if (s.size() < 14) s.insert(0, 14 - s.size(), ' ');
  return s;
}

std::string FechaImpresora(const FechaHora& f) {
  char t[16];
  std::snprintf(t, sizeof t, "%02d%02d%02d", f.anio % 100, f.mes % 100, f.dia % 100);
  return t;
}

std::string HoraImpresora(const FechaHora& f) {
  char t[16];
  std::snprintf(t, sizeof t, "%02d%02d%02d", f.hora % 100, f.minuto % 100, f.segundo % 100);
  return t;
}

std::string FechaVisible(int32_t serial) {
  if (serial == 0) return std::string(8, ' ');
  int a, m, d;
  lp_fecha_de_serial(serial, &a, &m, &d);
  char t[16];
  std::snprintf(t, sizeof t, "%02d/%02d/%02d", d % 100, m % 100, a % 100);
  return t;
}

std::string HoraVisible(int32_t serial) {
  if (serial == 0) return std::string(8, ' ');
  int h, mi, s;
  lp_hora_de_serial(serial, &h, &mi, &s);
  char t[16];
  std::snprintf(t, sizeof t, "%02d:%02d:%02d", h % 100, mi % 100, s % 100);
  return t;
}

}  // namespace fiscal
