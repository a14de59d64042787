// The operator of a process without a display: every box goes to standard
// error, the default button answers, and nothing ever waits for a person.
#include <cstdio>
#include <string>

#include "edicion_parametros.h"
#include "plataforma.h"
#include "texto.h"

namespace fiscal {

namespace {

class OperadorConsola final : public Operador {
 public:
  Respuesta Mostrar(const Mensaje& m) override {
    std::string texto = Cp1252AUtf8(m.texto);
    for (char& c : texto) {
      if (c == '|') c = '\n';
    }
    std::fprintf(stderr, "[%s] %s\n", Cp1252AUtf8(m.titulo).c_str(), texto.c_str());
    return m.defecto;
  }
  ResultadoDialogo EditarParametros(EdicionParametros&) override {
    return ResultadoDialogo::SinPantalla;
  }
};

}  // namespace

Operador& OperadorDeConsola() {
  static OperadorConsola operador;
  return operador;
}

}  // namespace fiscal
