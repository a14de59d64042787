#include "edicion_parametros.h"

#include "conexion.h"
#include "driver.h"
#include "lp_fiscal.h"
#include "parametros.h"

namespace fiscal {

ValoresParametros TomarValores() {
  ValoresParametros v;
  v.p = Param();
  v.LP_ErrorMostrar = LP_ErrorMostrar;
  v.LP_LonObsFac = LP_LonObsFac;
  v.LP_LonLinFac = LP_LonLinFac;
  v.LP_LonPagFac = LP_LonPagFac;
  v.LP_LonLinNoF = LP_LonLinNoF;
  v.LP_LonLinPag = LP_LonLinPag;
  v.LP_LonLinCot = LP_LonLinCot;
  v.LP_EmiteFAC = LP_EmiteFAC;
  v.LP_EmiteCRE = LP_EmiteCRE;
  v.LP_EmiteRTO = LP_EmiteRTO;
  v.LP_EmitePAG = LP_EmitePAG;
  v.LP_EmiteCOT = LP_EmiteCOT;
  v.LP_CanDecimales = LP_CanDecimales;
  v.LP_PreDecimales = LP_PreDecimales;
  v.LP_CanMaxima = LP_CanMaxima;
  v.LP_PreMaximo = LP_PreMaximo;
  return v;
}

void PonerValores(const ValoresParametros& v) {
  Param() = v.p;
  LP_ErrorMostrar = v.LP_ErrorMostrar;
  LP_LonObsFac = v.LP_LonObsFac;
  LP_LonLinFac = v.LP_LonLinFac;
  LP_LonPagFac = v.LP_LonPagFac;
  LP_LonLinNoF = v.LP_LonLinNoF;
  LP_LonLinPag = v.LP_LonLinPag;
  LP_LonLinCot = v.LP_LonLinCot;
  LP_EmiteFAC = v.LP_EmiteFAC;
  LP_EmiteCRE = v.LP_EmiteCRE;
  LP_EmiteRTO = v.LP_EmiteRTO;
  LP_EmitePAG = v.LP_EmitePAG;
  LP_EmiteCOT = v.LP_EmiteCOT;
  LP_CanDecimales = v.LP_CanDecimales;
  LP_PreDecimales = v.LP_PreDecimales;
  LP_CanMaxima = v.LP_CanMaxima;
  LP_PreMaximo = v.LP_PreMaximo;
}

EdicionParametros::EdicionParametros() {
  CargarParametros();
  copia = TomarValores();
  tipo_recordado_ = copia.p.LP_TipoComprobante.Valor();
}

void EdicionParametros::CambiarTipoComprobante(std::string_view tipo) {
  if (SinBlancosFinales(tipo) == tipo_recordado_) return;
  // The model defaults of the new type go into the parameter variables
  // (where they stay even if the operator leaves without saving) and from
  // there into the working copy.
  Parametros& p = Param();
  Texto<2> actual = p.LP_TipoComprobante;
  p.LP_TipoComprobante = tipo;
  AplicarModelo();
  p.LP_TipoComprobante = actual;
  ValoresParametros v = TomarValores();
  copia.LP_LonObsFac = v.LP_LonObsFac;
  copia.LP_LonLinFac = v.LP_LonLinFac;
  copia.LP_LonPagFac = v.LP_LonPagFac;
  copia.LP_LonLinNoF = v.LP_LonLinNoF;
  copia.LP_LonLinPag = v.LP_LonLinPag;
  copia.LP_LonLinCot = v.LP_LonLinCot;
  copia.LP_EmiteFAC = v.LP_EmiteFAC;
  copia.LP_EmiteCRE = v.LP_EmiteCRE;
  copia.LP_EmiteRTO = v.LP_EmiteRTO;
  copia.LP_EmitePAG = v.LP_EmitePAG;
  copia.LP_EmiteCOT = v.LP_EmiteCOT;
  copia.LP_CanDecimales = v.LP_CanDecimales;
  copia.LP_PreDecimales = v.LP_PreDecimales;
  copia.LP_CanMaxima = v.LP_CanMaxima;
  copia.LP_PreMaximo = v.LP_PreMaximo;
  copia.p.LP_TipoComprobante = tipo;
  tipo_recordado_ = SinBlancosFinales(tipo);
}

void EdicionParametros::Grabar() {
  PonerValores(copia);
  GrabarParametros();
}

std::string EdicionParametros::TextoImpresora() const {
  const EstadoDriver& e = Estado();
  std::string t(e.ModeloImpresora.Valor());
  if (kDriver.marca == "HASAR") t += " #";
  t += e.SerieLeida.Valor();
  if (e.SerieLeida.Blanco()) t.clear();
  t.resize(30, ' ');
  return t;
}

std::string EdicionParametros::Titulo() const {
  return "Modificar parametros de impresion - " + std::string(kDriver.marca) + " Ver 6.15";
}

}  // namespace fiscal
