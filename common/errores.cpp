#include "errores.h"

#include <algorithm>
#include <cstring>

#include "estado.h"
#include "lp_fiscal.h"
#include "texto.h"

namespace fiscal {

void MostrarError(std::string_view mensaje) {
  if (EsBlanco(mensaje)) {
    LP_Error = 0;
    std::memset(LP_ErrorMensaje, 0, sizeof LP_ErrorMensaje);
    return;
  }
  LP_Error = 1;
  size_t n = std::min(mensaje.size(), sizeof LP_ErrorMensaje - 1);
  std::memcpy(LP_ErrorMensaje, mensaje.data(), n);
  std::memset(LP_ErrorMensaje + n, 0, sizeof LP_ErrorMensaje - n);
  if (LP_ErrorMostrar != 0) {
    ElOperador().Mostrar({.texto = std::string_view(LP_ErrorMensaje, n),
                          .titulo = "ERROR",
                          .icono = Icono::Error});
  }
}

void MostrarAviso(std::string_view texto) {
  ElOperador().Mostrar({.texto = texto, .titulo = "AVISO", .icono = Icono::Informacion});
}

}  // namespace fiscal
