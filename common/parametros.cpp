#include "parametros.h"

#include <cstdio>
#include <string>

#include "driver.h"
#include "estado.h"
#include "lp_fiscal.h"
#include "perfil.h"

namespace fiscal {

namespace {

std::string_view Archivo() { return Estado().ArchivoParametros.Valor(); }

std::string Leer(std::string_view clave, std::string_view defecto) {
  return LeerPerfil(Archivo(), SeccionParametros(), clave, defecto);
}

template <typename T>
void LeerNumero(std::string_view clave, T& variable) {
  variable = static_cast<T>(LeerEntero(Leer(clave, std::to_string(variable))));
}

template <typename T>
void LeerNumero(std::string_view clave, T& variable, long defecto) {
  variable = static_cast<T>(LeerEntero(Leer(clave, std::to_string(defecto))));
}

template <size_t N>
void LeerTexto(std::string_view clave, Texto<N>& variable, std::string_view defecto) {
  variable = Leer(clave, defecto);
}

// Collects the keys of one save, written in a single step.
class Grabacion {
 public:
  void Escribir(std::string_view clave, std::string_view valor) {
    claves_.emplace_back(clave, valor);
  }
  void Escribir(std::string_view clave, long valor) { Escribir(clave, std::to_string(valor)); }
  void Terminar() { EscribirPerfil(Archivo(), SeccionParametros(), claves_); }

 private:
  ClavesPerfil claves_;
};

}  // namespace

std::string SeccionParametros() {
  return std::string(SinBlancosFinales("Impresora Fiscal" + std::string(LeerFijo(LP_NumeroImpresora))));
}

void AplicarTablaModelos(std::span<const FilaModelo> filas) {
  std::string_view tipo = Param().LP_TipoComprobante.Valor();
  std::string_view modelo = Estado().ModeloImpresora.Valor();
  for (const FilaModelo& f : filas) {
    bool tipo_coincide = f.tipo.empty() ? (tipo != "FC" && tipo != "TQ") : f.tipo == tipo;
    if (!tipo_coincide || (!f.modelo.empty() && f.modelo != modelo)) continue;
    uint8_t* longitudes[] = {&LP_LonObsFac, &LP_LonLinFac, &LP_LonPagFac,
                             &LP_LonLinNoF, &LP_LonLinPag, &LP_LonLinCot};
    uint8_t* emite[] = {&LP_EmiteFAC, &LP_EmiteCRE, &LP_EmiteRTO, &LP_EmitePAG, &LP_EmiteCOT};
    for (int i = 0; i < 6; ++i) *longitudes[i] = f.longitudes[i];
    for (int i = 0; i < 5; ++i) *emite[i] = f.emite[i];
    return;
  }
}

std::string SelloGrabacion() {
  FechaHora a = ElReloj().Ahora();
  char sello[32];
  std::snprintf(sello, sizeof sello, "%02d/%02d/%02d %02d:%02d:%02d", a.dia % 100, a.mes % 100,
                a.anio % 100, a.hora % 100, a.minuto % 100, a.segundo % 100);
  return sello;
}

void LeerParametros() {
  Parametros& p = Param();
  AsignarFijo(LP_ParametrosLeidos, Leer("Grabacion", ""));
  LeerNumero("LP_MostrarComandos", p.LP_MostrarComandos, 0);
  LeerNumero("LP_GenerarLog", p.LP_GenerarLog, 0);
  LeerNumero("LP_ImpresoraPuerto", p.LP_ImpresoraPuerto, 2);
  LeerTexto("LP_ImpresoraConfig", p.LP_ImpresoraConfig, "9600,N,8,1");
  LeerTexto("LP_TipoComprobante", p.LP_TipoComprobante, kDriver.tipo_comprobante_defecto);
  LeerTexto("LP_TipoIva", p.LP_TipoIva, "I");
  LeerTexto("LP_TipoLetra", p.LP_TipoLetra, kDriver.tipo_letra_inicial);
  LeerTexto("LP_PapelPreimpreso", p.LP_PapelPreimpreso, "N");
  LeerTexto("LP_PapelContinuo", p.LP_PapelContinuo, "S");
  LeerTexto("LP_PermitirAcentos", p.LP_PermitirAcentos, "N");
  LeerNumero("LP_TarjFirma", p.LP_TarjFirma, 1);
  LeerNumero("LP_TarjAclaracion", p.LP_TarjAclaracion, 1);
  LeerNumero("LP_TarjTelefono", p.LP_TarjTelefono, 1);
  LeerNumero("LP_OSocEmitir", p.LP_OSocEmitir, 0);
  LeerNumero("LP_OSocDomicilio", p.LP_OSocDomicilio, 1);
  LeerNumero("LP_OSocDocumento", p.LP_OSocDocumento, 1);
  LeerNumero("LP_OSocFirma", p.LP_OSocFirma, 1);
  LeerNumero("LP_OSocAclaracion", p.LP_OSocAclaracion, 1);
  LeerNumero("LP_OSocTelefono", p.LP_OSocTelefono, 1);
  LeerNumero("LP_CanDecimales", LP_CanDecimales, 0);
  LeerNumero("LP_PreDecimales", LP_PreDecimales, 0);
  LeerNumero("LP_CanMaxima", LP_CanMaxima, 0);
  LeerNumero("LP_PreMaximo", LP_PreMaximo, 0);
  // A key missing from the file takes the default of the document type.
  AplicarModelo();
  LeerNumero("LP_LonObsFac", LP_LonObsFac);
  LeerNumero("LP_LonLinFac", LP_LonLinFac);
  LeerNumero("LP_LonPagFac", LP_LonPagFac);
  LeerNumero("LP_LonLinNoF", LP_LonLinNoF);
  LeerNumero("LP_LonLinPag", LP_LonLinPag);
  LeerNumero("LP_LonLinCot", LP_LonLinCot);
  LeerNumero("LP_EmiteFAC", LP_EmiteFAC);
  LeerNumero("LP_EmiteCRE", LP_EmiteCRE);
  LeerNumero("LP_EmiteRTO", LP_EmiteRTO);
  LeerNumero("LP_EmitePAG", LP_EmitePAG);
  LeerNumero("LP_EmiteCOT", LP_EmiteCOT);
  // LP_ErrorMostrar is saved but deliberately not read back: it stays what
  // the host or the editor set.
}

void GrabarParametros() {
  const Parametros& p = Param();
  std::string sello = SelloGrabacion();
  AsignarFijo(LP_ParametrosLeidos, sello);
  Grabacion g;
  g.Escribir("Grabacion", sello);
  g.Escribir("LP_ErrorMostrar", LP_ErrorMostrar);
  g.Escribir("LP_MostrarComandos", p.LP_MostrarComandos);
  g.Escribir("LP_GenerarLog", p.LP_GenerarLog);
  g.Escribir("LP_ImpresoraPuerto", p.LP_ImpresoraPuerto);
  g.Escribir("LP_ImpresoraConfig", p.LP_ImpresoraConfig.Valor());
  g.Escribir("LP_TipoComprobante", p.LP_TipoComprobante.Valor());
  g.Escribir("LP_TipoIva", p.LP_TipoIva.Valor());
  g.Escribir("LP_TipoLetra", p.LP_TipoLetra.Valor());
  g.Escribir("LP_PapelPreimpreso", p.LP_PapelPreimpreso.Valor());
  g.Escribir("LP_PapelContinuo", p.LP_PapelContinuo.Valor());
  g.Escribir("LP_PermitirAcentos", p.LP_PermitirAcentos.Valor());
  g.Escribir("LP_TarjFirma", p.LP_TarjFirma);
  g.Escribir("LP_TarjAclaracion", p.LP_TarjAclaracion);
  g.Escribir("LP_TarjTelefono", p.LP_TarjTelefono);
  g.Escribir("LP_OSocEmitir", p.LP_OSocEmitir);
  g.Escribir("LP_OSocDomicilio", p.LP_OSocDomicilio);
  g.Escribir("LP_OSocDocumento", p.LP_OSocDocumento);
  g.Escribir("LP_OSocFirma", p.LP_OSocFirma);
  g.Escribir("LP_OSocAclaracion", p.LP_OSocAclaracion);
  g.Escribir("LP_OSocTelefono", p.LP_OSocTelefono);
  g.Escribir("LP_LonObsFac", LP_LonObsFac);
  g.Escribir("LP_LonLinFac", LP_LonLinFac);
  g.Escribir("LP_LonPagFac", LP_LonPagFac);
  g.Escribir("LP_LonLinNoF", LP_LonLinNoF);
  g.Escribir("LP_LonLinPag", LP_LonLinPag);
  g.Escribir("LP_LonLinCot", LP_LonLinCot);
  g.Escribir("LP_EmiteFAC", LP_EmiteFAC);
  g.Escribir("LP_EmiteCRE", LP_EmiteCRE);
  g.Escribir("LP_EmiteRTO", LP_EmiteRTO);
  g.Escribir("LP_EmitePAG", LP_EmitePAG);
  g.Escribir("LP_EmiteCOT", LP_EmiteCOT);
  g.Escribir("LP_CanDecimales", LP_CanDecimales);
  g.Escribir("LP_PreDecimales", LP_PreDecimales);
  g.Escribir("LP_CanMaxima", LP_CanMaxima);
  g.Escribir("LP_PreMaximo", LP_PreMaximo);
  g.Terminar();
}

}  // namespace fiscal
