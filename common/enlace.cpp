#include "enlace.h"

namespace fiscal {

void LimpiarRespuesta(Enlace& en) {
  for (auto& c : en.CamposRespuesta) c = "";
  for (auto& e : en.EtiquetasRespuesta) e = "";
  en.TextoEstado = "";
  en.EstadoImpresora = 0;
  en.EstadoFiscal = 0;
}

void CopiarCampos(const ColectorRespuesta& col, Enlace& en) {
  for (int n = 1; n <= kCamposRespuesta; ++n) en.CamposRespuesta[n - 1] = col.Campo(n);
}

void TomarEstado(const ColectorRespuesta& col, Enlace& en) {
  en.EstadoImpresora = col.EstadoImpresora();
  en.EstadoFiscal = col.EstadoFiscal();
  en.TextoEstado = TextoEstado(en.EstadoImpresora, en.EstadoFiscal);
}

OpcionesTrama OpcionesDeTrama(ReglaDieresis dieresis, bool esc) {
  return {.normalizar = !ElEnlace().CamposSinNormalizar,
          .permitir_acentos = Param().LP_PermitirAcentos == "S",
          .dieresis = dieresis,
          .esc = esc};
}

void InformeEstado::Agregar(std::string& texto, std::string_view m) {
  constexpr size_t kMaximo = 500;
  texto.resize(SinBlancosFinales(texto).size());
  texto += m;
  if (texto.size() > kMaximo) texto.resize(kMaximo);
}

bool ConfirmarEnvio(std::string_view trama, std::string_view titulo) {
  Respuesta r = ElOperador().Mostrar({.texto = trama,
                                      .titulo = titulo,
                                      .icono = Icono::Advertencia,
                                      .botones = Botones::SiNo,
                                      .defecto = Respuesta::Si});
  if (r != Respuesta::No) return true;
  // Nothing is sent: the marks set for this command must not carry over
  // to the next one.
  ElEnlace().ToleraRechazo = 0;
  ElEnlace().ErrorPapelFatal = 0;
  return false;
}

}  // namespace fiscal
