// An operator for tests: answers come from a queue (the box's default when
// it is empty), every box shown is recorded, and the parameter editor runs
// a scripted action.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "common/edicion_parametros.h"
#include "common/plataforma.h"

namespace prueba {

struct CajaVista {
  std::string texto, titulo;
  fiscal::Icono icono;
  fiscal::Botones botones;
  fiscal::Respuesta defecto;
};

class OperadorGuionado : public fiscal::Operador {
 public:
  fiscal::Respuesta Mostrar(const fiscal::Mensaje& m) override {
    cajas.push_back({std::string(m.texto), std::string(m.titulo), m.icono, m.botones, m.defecto});
    if (respuestas.empty()) return m.defecto;
    fiscal::Respuesta r = respuestas.front();
    respuestas.pop_front();
    return r;
  }
  fiscal::ResultadoDialogo EditarParametros(fiscal::EdicionParametros& e) override {
    ++ediciones;
    if (!editor) return fiscal::ResultadoDialogo::SinPantalla;
    return editor(e);
  }
  bool EscapePulsado() override {
    if (escapes_pendientes > 0) {
      --escapes_pendientes;
      return true;
    }
    return escape;
  }
  void DescartarTeclas() override {
    escapes_pendientes = 0;
    eventos.push_back("descartar");
  }
  void MostrarRespuesta(const fiscal::VentanaRespuesta& v) override {
    ventanas.push_back({std::string(v.titulo),
                        std::vector<fiscal::FilaRespuesta>(v.filas.begin(), v.filas.end()),
                        std::string(v.estado), v.fiscalizada});
  }
  void AbrirProgreso() override { eventos.push_back("progreso abierto"); }
  void AvanzarProgreso(int p) override { eventos.push_back("progreso " + std::to_string(p)); }
  void CerrarProgreso() override { eventos.push_back("progreso cerrado"); }
  void AbrirHojaSuelta() override { eventos.push_back("hoja abierta"); }
  void AnimarHojaSuelta(int n) override { eventos.push_back("hoja " + std::to_string(n)); }
  void CerrarHojaSuelta() override { eventos.push_back("hoja cerrada"); }

  // Boxes with this caption, in order.
  std::vector<CajaVista> Con(const std::string& titulo) const {
    std::vector<CajaVista> r;
    for (const auto& c : cajas)
      if (c.titulo == titulo) r.push_back(c);
    return r;
  }

  std::deque<fiscal::Respuesta> respuestas;
  std::vector<CajaVista> cajas;
  std::function<fiscal::ResultadoDialogo(fiscal::EdicionParametros&)> editor;
  // Information windows shown, and the other windows' events in order.
  struct VentanaVista {
    std::string titulo;
    std::vector<fiscal::FilaRespuesta> filas;
    std::string estado;
    bool fiscalizada;
  };
  std::vector<VentanaVista> ventanas;
  std::vector<std::string> eventos;
  // ESC answers to the next polls (after those, `escape`).
  int escapes_pendientes = 0;
  int ediciones = 0;
  bool escape = false;
};

}  // namespace prueba
