#include "puerto_guionado.h"

#include <cstdio>

namespace prueba {

namespace {

class CanalGuionado final : public fiscal::CanalSerie {
 public:
  explicit CanalGuionado(PuertoGuionado& p) : p_(p) {}
  uint32_t Abrir(std::string_view dispositivo) override {
    p_.dispositivo = dispositivo;
    if (p_.error_abrir) return p_.error_abrir;
    ++p_.aperturas;
    p_.abierto = true;
    return 0;
  }
  uint32_t DimensionarColas(uint32_t, uint32_t) override { return 0; }
  uint32_t LeerTiempos(fiscal::TiemposPuerto&) override { return 0; }
  uint32_t GrabarTiempos(const fiscal::TiemposPuerto&) override { return 0; }
  uint32_t LeerLinea() override { return 0; }
  uint32_t ArmarLinea(std::string_view modo) override {
    p_.modos.emplace_back(modo);
    return p_.error_linea;
  }
  uint32_t GrabarLinea() override { return 0; }
  uint32_t Leer(uint8_t* d, size_t n, size_t& leidos) override { return p_.Leer(d, n, leidos); }
  uint32_t Escribir(const uint8_t* o, size_t n, size_t& escritos) override {
    return p_.Escribir(o, n, escritos);
  }
  void Cerrar() override {
    p_.abierto = false;
    ++p_.cierres;
  }

 private:
  PuertoGuionado& p_;
};

}  // namespace

void PuertoGuionado::Enviar(std::string_view bytes, int64_t demora) {
  int64_t base = entrantes_.empty() ? reloj_.centesimas : entrantes_.back().cuando;
  int64_t cuando = std::max(base, reloj_.centesimas) + demora;
  for (char c : bytes) entrantes_.push_back({cuando, c});
}

fiscal::FabricaCanales PuertoGuionado::Fabrica() {
  return [this] { return std::make_unique<CanalGuionado>(*this); };
}

uint32_t PuertoGuionado::Leer(uint8_t* destino, size_t cantidad, size_t& leidos) {
  leidos = 0;
  if (error_leer) return error_leer;
  if (entrantes_.empty() || entrantes_.front().cuando > reloj_.centesimas + espera_lectura_cs) {
    reloj_.Avanzar(espera_lectura_cs);
    return 0;
  }
  if (entrantes_.front().cuando > reloj_.centesimas) reloj_.centesimas = entrantes_.front().cuando;
  while (leidos < cantidad && !entrantes_.empty() &&
         entrantes_.front().cuando <= reloj_.centesimas) {
    destino[leidos++] = static_cast<uint8_t>(entrantes_.front().valor);
    entrantes_.pop_front();
  }
  return 0;
}

uint32_t PuertoGuionado::Escribir(const uint8_t* origen, size_t cantidad, size_t& escritos) {
  escritos = 0;
  if (error_escribir) return error_escribir;
  std::string s(reinterpret_cast<const char*>(origen), cantidad);
  escrito += s;
  escrituras.push_back(s);
  escritos = cantidad;
  if (al_escribir) al_escribir(s);
  return 0;
}

std::string SumaBloque(std::string_view t) {
  unsigned suma = 0;
  for (unsigned char c : t) suma += c;
  char r[8];
  std::snprintf(r, sizeof r, "%04X", suma & 0xFFFF);
  return r;
}

namespace {
std::string Respuesta(char secuencia, std::string_view codigo, uint16_t impresora, uint16_t fiscal,
                      const std::vector<std::string>& campos) {
  char estado[16];
  std::snprintf(estado, sizeof estado, "%04X\x1c%04X", impresora, fiscal);
  std::string t = "\x02";
  t += secuencia;
  t += codigo;
  t += '\x1c';
  t += estado;
  for (const auto& c : campos) t += '\x1c' + c;
  t += '\x03';
  return t + SumaBloque(t);
}
}  // namespace

std::string RespuestaEpson(char secuencia, char codigo, uint16_t impresora, uint16_t fiscal,
                           const std::vector<std::string>& campos) {
  return Respuesta(secuencia, std::string(1, codigo), impresora, fiscal, campos);
}

std::string RespuestaHasar(char secuencia, char codigo, uint16_t impresora, uint16_t fiscal,
                           const std::vector<std::string>& campos, bool esc) {
  std::string c = esc ? std::string("\x1b") + codigo : std::string(1, codigo);
  return Respuesta(secuencia, c, impresora, fiscal, campos);
}

}  // namespace prueba
