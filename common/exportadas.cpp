// The exported variables and their values at library load.
#include <cstring>

#include "lp_fiscal.h"
#include "exportadas.h"
#include "texto.h"

extern "C" {
char LP_Resultado[255];
uint8_t LP_ResultadoMostrar;
uint8_t LP_Error;
char LP_ErrorMensaje[255];
uint8_t LP_ErrorMostrar;
int32_t LP_UltimoComprobante;
LP_Decimal LP_UltimoTotal;
LP_Decimal LP_UltimoNeto;
LP_Decimal LP_UltimoIva;
LP_Decimal LP_UltimoImpInterno;
LP_Decimal LP_UltimoPercepcion;
char LP_SerieImpresora[15];
uint8_t LP_Fiscalizada;
uint8_t LP_CajonAbierto;
char LP_ParametrosLeidos[17];
char LP_NumeroImpresora[1];
int32_t LP_FechaImpresora;
int32_t LP_HoraImpresora;
uint8_t LP_LonObsFac;
uint8_t LP_LonLinFac;
uint8_t LP_LonPagFac;
uint8_t LP_LonLinNoF;
uint8_t LP_LonLinPag;
uint8_t LP_LonLinCot;
uint8_t LP_EmiteFAC;
uint8_t LP_EmiteCRE;
uint8_t LP_EmiteRTO;
uint8_t LP_EmitePAG;
uint8_t LP_EmiteCOT;
uint8_t LP_CanDecimales;
uint8_t LP_PreDecimales;
int32_t LP_CanMaxima;
int32_t LP_PreMaximo;
}

namespace fiscal {

void ReiniciarExportadas() {
  AsignarFijo(LP_Resultado, "");
  LP_ResultadoMostrar = 1;
  LP_Error = 0;
  std::memset(LP_ErrorMensaje, 0, sizeof LP_ErrorMensaje);
  LP_ErrorMostrar = 1;
  LP_UltimoComprobante = 0;
  for (auto* d : {&LP_UltimoTotal, &LP_UltimoNeto, &LP_UltimoIva, &LP_UltimoImpInterno,
                  &LP_UltimoPercepcion}) {
    lp_decimal_de_centesimos(*d, 0);
  }
  AsignarFijo(LP_SerieImpresora, "");
  LP_Fiscalizada = 0;
  LP_CajonAbierto = 0;
  AsignarFijo(LP_ParametrosLeidos, "");
  AsignarFijo(LP_NumeroImpresora, "");
  LP_FechaImpresora = 0;
  LP_HoraImpresora = 0;
  for (auto* l : {&LP_LonObsFac, &LP_LonLinFac, &LP_LonPagFac, &LP_LonLinNoF, &LP_LonLinPag,
                  &LP_LonLinCot}) {
    *l = 80;
  }
  for (auto* f : {&LP_EmiteFAC, &LP_EmiteCRE, &LP_EmiteRTO, &LP_EmitePAG, &LP_EmiteCOT}) *f = 0;
  LP_CanDecimales = 0;
  LP_PreDecimales = 0;
  LP_CanMaxima = 0;
  LP_PreMaximo = 0;
}

}  // namespace fiscal
