#include "registro_cierres.h"

#include <cstdio>
#include <string_view>

#include "estado.h"
#include "formatos.h"
#include "lista_respuesta.h"
#include "lp_fiscal.h"
#include "perfil.h"
#include "texto.h"

namespace fiscal {

namespace {

constexpr std::string_view kArchivo = "CIERRES.LOG";
constexpr std::string_view kUltimo = "Ultimo cierre";
constexpr std::string_view kHistorial = "Historial";
constexpr size_t kAnchoDetalle = 250;

}  // namespace

std::string TituloCierre(char letra) {
  const FechaHora ahora = ElReloj().Ahora();
  int64_t numero = LeerEntero(ElEnlace().CamposRespuesta[0].Valor());
  char t[64];
  std::snprintf(t, sizeof t, " %02d/%02d/%02d %02d:%02d:%02d", ahora.dia % 100, ahora.mes % 100,
                ahora.anio % 100, ahora.hora % 100, ahora.minuto % 100, ahora.segundo % 100);
  return std::string(1, letra) + "/" + EnteroFijo(numero, 5) + t;
}

void AnotarCierre(char letra) {
  // A closing the printer made is never lost, even when its status words
  // reported an error; one it never answered, or refused, is no closing.
  const Enlace& en = ElEnlace();
  if (!en.RespuestaValida || LeerEntero(en.CamposRespuesta[0].Valor()) <= 0) return;
  const std::string titulo = TituloCierre(letra);
  // After an error the information window did not run, so LP_Resultado
  // still holds an earlier text: the detail comes from the answer itself.
  std::string detalle = LP_Error ? ArmarListaRespuesta(en).resultado
                                 : std::string(std::string_view(LP_Resultado, sizeof LP_Resultado));
  detalle = std::string(SinBlancosFinales(std::string_view(detalle).substr(0, kAnchoDetalle)));
  EscribirPerfil(kArchivo, kUltimo, ClavesPerfil{{"Titulo", titulo}, {"Detalle", detalle}});
  // A title already in the history (same closing in the same second) is
  // replaced; a new one is appended without rewriting the history.
  constexpr std::string_view kFalta = "\x7F";
  if (LeerPerfil(kArchivo, kHistorial, titulo, kFalta) == kFalta)
    AnexarPerfil(kArchivo, kHistorial, titulo, detalle);
  else
    EscribirPerfil(kArchivo, kHistorial, titulo, detalle);
}

}  // namespace fiscal
