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
  bool EscapePulsado() override { return escape; }

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
  int ediciones = 0;
  bool escape = false;
};

}  // namespace prueba
