#include "formato.h"

#include <cmath>
#include <cstdio>

namespace simulador {

bool LeerNumero(std::string_view t, int implicitos, long double& valor) {
  size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  bool negativo = false;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) negativo = t[i++] == '-';
  long double entero = 0, fraccion = 0, escala = 1;
  bool punto = false;
  int digitos = 0;
  for (; i < t.size(); ++i) {
    char c = t[i];
    if (c == '.' && !punto) {
      punto = true;
    } else if (c >= '0' && c <= '9') {
      ++digitos;
      if (punto) {
        escala /= 10;
        fraccion += (c - '0') * escala;
      } else {
        entero = entero * 10 + (c - '0');
      }
    } else {
      return false;
    }
  }
  if (digitos == 0 || digitos > 30) return false;
  valor = entero + fraccion;
  if (!punto) valor /= std::pow(10.0L, implicitos);
  if (negativo) valor = -valor;
  return true;
}

bool LeerEntero(std::string_view t, long& valor) {
  if (t.empty() || t.size() > 9) return false;
  valor = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return false;
    valor = valor * 10 + (c - '0');
  }
  return true;
}

std::string Implicito(long double valor, int ancho, int implicitos) {
  long double escalado = std::llround(std::fabs(valor) * std::pow(10.0L, implicitos));
  char texto[64];
  int digitos = valor < 0 ? ancho - 1 : ancho;
  std::snprintf(texto, sizeof texto, "%s%0*.0Lf", valor < 0 ? "-" : "", digitos, escalado);
  return texto;
}

std::string ConPunto(long double valor, int decimales) {
  char texto[64];
  long double r = std::round(valor * std::pow(10.0L, decimales)) / std::pow(10.0L, decimales);
  if (r == 0) r = 0;  // no "-0.00"
  std::snprintf(texto, sizeof texto, "%.*Lf", decimales, r);
  return texto;
}

std::string ImporteRollo(long double valor) {
  std::string t = ConPunto(valor, 2);
  return std::string(t.size() < 12 ? 12 - t.size() : 0, ' ') + t;
}

std::string SinAtributos(std::string_view texto) {
  std::string r;
  for (unsigned char c : texto)
    if (c < 0xF0 && c != 0x7F) r.push_back(static_cast<char>(c));
  return r;
}

std::string Ajustar(std::string_view texto, size_t ancho) {
  std::string r(texto.substr(0, ancho));
  r.resize(ancho, ' ');
  return r;
}

const std::string& Campo(const Trama& t, size_t n) {
  static const std::string vacio;
  return n >= 1 && n <= t.campos.size() ? t.campos[n - 1] : vacio;
}

bool Uno(const std::string& campo, const char* permitidos) {
  return campo.size() == 1 && std::string(permitidos).find(campo[0]) != std::string::npos;
}

std::string CampoConError(int campo) { return "Campo con error: " + std::to_string(campo); }

}  // namespace simulador
