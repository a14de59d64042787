#include "enlace.h"

#include "driver.h"
#include "errores.h"
#include "lp_fiscal.h"

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

OpcionesTrama OpcionesDeTrama(bool esc) {
  return {.normalizar = !ElEnlace().CamposSinNormalizar,
          .permitir_acentos = Param().LP_PermitirAcentos == "S",
          .dieresis = kDriver.dieresis,
          .esc = esc};
}

void InformeEstado::Agregar(std::string& texto, std::string_view m) {
  constexpr size_t kMaximo = 500;
  texto.resize(SinBlancosFinales(texto).size());
  texto += m;
  if (texto.size() > kMaximo) texto.resize(kMaximo);
}

bool IniciarVerificacion(Enlace& en) {
  en.ComandoAceptado = 1;
  if (!LP_Error) return true;
  // The marks were for this command only, answered or not.
  en.ToleraRechazo = 0;
  en.ErrorPapelFatal = 0;
  return false;
}

void Informar(Enlace& en, const InformeEstado& inf, std::string_view sufijo, bool mostrar_avisos) {
  const std::string avisos(SinBlancosFinales(inf.avisos));
  if (!EsBlanco(inf.errores))
    MostrarError(std::string(SinBlancosFinales(inf.errores)) + avisos + std::string(sufijo));
  if (!avisos.empty() && mostrar_avisos) MostrarAviso(avisos + std::string(sufijo));
  en.ToleraRechazo = 0;
  en.ErrorPapelFatal = 0;
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
