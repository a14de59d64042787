#include "edicion_parametros.h"

#include "conexion.h"
#include "driver.h"
#include "lp_fiscal.h"
#include "parametros.h"

namespace fiscal {

namespace {

// The exported parameters the editor shows beside LP_ErrorMostrar: all of
// them follow the document type when it changes in the dialog.
struct Enlace8 {
  uint8_t ValoresParametros::*copia;
  uint8_t* variable;
};
struct Enlace32 {
  int32_t ValoresParametros::*copia;
  int32_t* variable;
};
using V = ValoresParametros;
const Enlace8 kDelModelo8[] = {
    {&V::LP_LonObsFac, &LP_LonObsFac},       {&V::LP_LonLinFac, &LP_LonLinFac},
    {&V::LP_LonPagFac, &LP_LonPagFac},       {&V::LP_LonLinNoF, &LP_LonLinNoF},
    {&V::LP_LonLinPag, &LP_LonLinPag},       {&V::LP_LonLinCot, &LP_LonLinCot},
    {&V::LP_EmiteFAC, &LP_EmiteFAC},         {&V::LP_EmiteCRE, &LP_EmiteCRE},
    {&V::LP_EmiteRTO, &LP_EmiteRTO},         {&V::LP_EmitePAG, &LP_EmitePAG},
    {&V::LP_EmiteCOT, &LP_EmiteCOT},         {&V::LP_CanDecimales, &LP_CanDecimales},
    {&V::LP_PreDecimales, &LP_PreDecimales},
};
const Enlace32 kDelModelo32[] = {
    {&V::LP_CanMaxima, &LP_CanMaxima},
    {&V::LP_PreMaximo, &LP_PreMaximo},
};

// Copies the model-dependent values from the variables into `v`.
void TomarDelModelo(ValoresParametros& v) {
  for (const auto& e : kDelModelo8) v.*e.copia = *e.variable;
  for (const auto& e : kDelModelo32) v.*e.copia = *e.variable;
}

}  // namespace

ValoresParametros TomarValores() {
  ValoresParametros v;
  v.p = Param();
  v.LP_ErrorMostrar = LP_ErrorMostrar;
  TomarDelModelo(v);
  return v;
}

void PonerValores(const ValoresParametros& v) {
  Param() = v.p;
  LP_ErrorMostrar = v.LP_ErrorMostrar;
  for (const auto& e : kDelModelo8) *e.variable = v.*e.copia;
  for (const auto& e : kDelModelo32) *e.variable = v.*e.copia;
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
  TomarDelModelo(copia);
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
  t += kDriver.separador_serie;
  t += e.SerieLeida.Valor();
  if (e.SerieLeida.Blanco()) t.clear();
  t.resize(30, ' ');
  return t;
}

std::string EdicionParametros::Titulo() const {
  return "Modificar parametros de impresion - " + std::string(kDriver.marca) + " Ver 6.15";
}

}  // namespace fiscal
