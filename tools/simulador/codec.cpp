#include "codec.h"

#include <cstdio>

namespace simulador {

std::string SumaBloque(std::string_view bytes) {
  unsigned suma = 0;
  for (unsigned char c : bytes) suma += c;
  char texto[8];
  std::snprintf(texto, sizeof texto, "%04X", suma & 0xFFFFu);
  return texto;
}

std::string ArmarRespuesta(uint8_t secuencia, bool esc, uint8_t codigo, uint16_t estado_impresora,
                           uint16_t estado_fiscal, const std::vector<std::string>& campos) {
  std::string t;
  t.push_back(static_cast<char>(kSTX));
  t.push_back(static_cast<char>(secuencia));
  if (esc) t.push_back(static_cast<char>(kESC));
  t.push_back(static_cast<char>(codigo));
  char estado[8];
  std::snprintf(estado, sizeof estado, "%04X", estado_impresora);
  t.push_back(static_cast<char>(kFS));
  t += estado;
  std::snprintf(estado, sizeof estado, "%04X", estado_fiscal);
  t.push_back(static_cast<char>(kFS));
  t += estado;
  for (const auto& c : campos) {
    t.push_back(static_cast<char>(kFS));
    t += c;
  }
  t.push_back(static_cast<char>(kETX));
  t += SumaBloque(t);
  return t;
}

bool LeerTrama(std::string_view bytes, Trama& trama, std::string& motivo) {
  trama = Trama{};
  size_t etx = bytes.find(static_cast<char>(kETX));
  if (bytes.size() < 2 || static_cast<uint8_t>(bytes[0]) != kSTX || etx == std::string_view::npos) {
    motivo = "sin STX o ETX";
    return false;
  }
  std::string_view datos = bytes.substr(1, etx - 1);
  if (datos.size() < 2) {
    motivo = "sin codigo de comando";
    return false;
  }
  trama.secuencia = static_cast<uint8_t>(datos[0]);
  size_t i = 1;
  if (static_cast<uint8_t>(datos[i]) == kESC) {
    trama.esc = true;
    ++i;
    if (i >= datos.size()) {
      motivo = "sin codigo de comando";
      return false;
    }
  }
  trama.codigo = static_cast<uint8_t>(datos[i++]);
  if (i < datos.size() && static_cast<uint8_t>(datos[i]) != kFS) {
    motivo = "texto antes del primer FS";
    return false;
  }
  while (i < datos.size()) {
    size_t fin = datos.find(static_cast<char>(kFS), i + 1);
    if (fin == std::string_view::npos) fin = datos.size();
    trama.campos.emplace_back(datos.substr(i + 1, fin - i - 1));
    i = fin;
  }
  return true;
}

static bool EsHexaMayuscula(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

std::optional<Recibido> Decodificador::Empujar(uint8_t b) {
  if (b == kSTX) {
    std::optional<Recibido> abandonada;
    if (fase_ != Fase::Fuera) {
      abandonada = Recibido{Recibido::Tipo::Descarte, buffer_, {}, "STX dentro de una trama"};
    }
    fase_ = Fase::Datos;
    buffer_.assign(1, static_cast<char>(b));
    return abandonada;
  }
  if (fase_ == Fase::Fuera) {
    return Recibido{Recibido::Tipo::Suelto, std::string(1, static_cast<char>(b)), {}, {}};
  }
  buffer_.push_back(static_cast<char>(b));
  if (buffer_.size() > kLargoMaximoTrama) {
    Recibido r{Recibido::Tipo::Descarte, buffer_, {}, "trama demasiado larga"};
    Reiniciar();
    return r;
  }
  if (fase_ == Fase::Datos) {
    if (b == kETX) {
      fase_ = Fase::Suma;
      digitos_suma_ = 0;
    }
    return std::nullopt;
  }
  if (++digitos_suma_ < 4) return std::nullopt;

  Recibido r;
  r.bytes = buffer_;
  Reiniciar();
  std::string_view todo = r.bytes;
  std::string_view suma = todo.substr(todo.size() - 4);
  std::string_view datos = todo.substr(0, todo.size() - 4);
  bool forma = LeerTrama(datos, r.trama, r.motivo);
  bool digitos = true;
  for (char c : suma) digitos = digitos && EsHexaMayuscula(c);
  if (!forma) {
    r.tipo = Recibido::Tipo::TramaMala;
  } else if (!digitos || SumaBloque(datos) != suma) {
    r.tipo = Recibido::Tipo::TramaMala;
    r.motivo = "suma de bloque " + std::string(suma) + ", se esperaba " + SumaBloque(datos);
  } else {
    r.tipo = Recibido::Tipo::Trama;
  }
  return r;
}

std::string Hexa(std::string_view bytes) {
  static const char* digitos = "0123456789ABCDEF";
  std::string r;
  r.reserve(bytes.size() * 3);
  for (unsigned char c : bytes) {
    if (!r.empty()) r.push_back(' ');
    r.push_back(digitos[c >> 4]);
    r.push_back(digitos[c & 15]);
  }
  return r;
}

}  // namespace simulador
