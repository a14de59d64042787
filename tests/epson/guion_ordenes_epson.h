// A scripted Epson printer for order tests: every frame gets the answer a
// test chooses (by default a fiscalised printer with nothing to say), and
// the frames of the last order read as "code|field|field..." with DEL as
// "DEL".
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/driver.h"
#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "entorno_prueba.h"

namespace prueba {

struct Contestacion {
  uint16_t impresora = 0;
  uint16_t fiscal = 0x0600;
  std::vector<std::string> campos;
};

// Status words of common answers.
constexpr uint16_t kCampoInvalido = 0x0600 | 0x0010 | 0x8000;
constexpr uint16_t kComandoDesconocido = 0x0600 | 0x0008 | 0x8000;
constexpr uint16_t kDocumentoAbierto = 0x0600 | 0x1000;

class OrdenesEpsonGuionadas : public EntornoPrueba {
 protected:
  void SetUp() override {
    EntornoPrueba::SetUp();
    puerto.al_escribir = [this](std::string_view w) {
      TramaEnviada t = DesarmarTrama(w);
      Contestacion c = contestar ? contestar(t) : Contestacion{};
      puerto.Enviar(RespuestaEpson(static_cast<char>(t.secuencia), static_cast<char>(t.codigo),
                                   c.impresora, c.fiscal, c.campos));
    };
    AbrirPuertoGuionado();
  }

  void Modo(const char* tipo) { fiscal::Param().LP_TipoComprobante = tipo; }
  // The document in progress, as an earlier order 216 left it.
  void EnCurso(const char* tipo, const char* letra) {
    fiscal::Estado().comprobante.TipoDocumento = tipo;
    fiscal::Estado().comprobante.Letra = letra;
    fiscal::Estado().comprobante.Copias = 1;
  }

  // Runs one order as the dispatch would after the connection started.
  void Ordenar(int16_t orden, const std::vector<std::string>& args = {}) {
    puerto.escrituras.clear();
    fiscal::Argumentos a;
    for (size_t i = 0; i < args.size(); ++i) a.Asignar(static_cast<int>(i) + 1, args[i].c_str());
    fiscal::EjecutarOrden(orden, a);
  }

  static std::string Legible(const TramaEnviada& t) {
    std::string r(1, static_cast<char>(t.codigo));
    for (const auto& c : t.campos) r += "|" + (c == "\x7F" ? std::string("DEL") : c);
    return r;
  }

  std::vector<std::string> Enviadas() const {
    std::vector<std::string> r;
    for (const auto& t : Tramas()) r.push_back(Legible(t));
    return r;
  }

  std::string Mensaje() const { return LP_ErrorMensaje; }

  std::function<Contestacion(const TramaEnviada&)> contestar;
};

}  // namespace prueba
