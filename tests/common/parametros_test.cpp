// The parameter file: load with its defaults, save with every key.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "carpeta_temporal.h"
#include "common/driver.h"
#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "common/parametros.h"
#include "common/perfil.h"

namespace {

using fiscal::kDriver;
using fiscal::Param;
using prueba::Contenido;
using prueba::Grabar;

const bool kEpson = kDriver.marca == "EPSON";

class Parametros : public prueba::PruebaEnCarpeta {
 protected:
  std::string Defecto() const { return carpeta.En("drvfiscal/fiscal.ini"); }
  void Archivo(const std::string& seccion, const std::string& lineas) {
    std::filesystem::create_directories(carpeta.En("drvfiscal"));
    Grabar(Defecto(), "[" + seccion + "]\n" + lineas);
  }
  static std::vector<int> Longitudes() {
    return {LP_LonObsFac, LP_LonLinFac, LP_LonPagFac, LP_LonLinNoF, LP_LonLinPag, LP_LonLinCot};
  }
  static std::vector<int> Emite() {
    return {LP_EmiteFAC, LP_EmiteCRE, LP_EmiteRTO, LP_EmitePAG, LP_EmiteCOT};
  }
};

TEST_F(Parametros, ArchivoVacioDaLosDefectosDelDriver) {
  Grabar("vacio.ini", "");
  fiscal::Estado().ArchivoParametros = "vacio.ini";
  fiscal::LeerParametros();
  EXPECT_EQ(std::string(17, ' '), std::string(LP_ParametrosLeidos, 17));
  EXPECT_EQ(2, Param().LP_ImpresoraPuerto);
  EXPECT_EQ("9600,N,8,1", Param().LP_ImpresoraConfig.Valor());
  EXPECT_EQ(1, Param().LP_TarjFirma);
  EXPECT_EQ(0, Param().LP_OSocEmitir);
  if (kEpson) {
    EXPECT_EQ("TF", Param().LP_TipoComprobante.Valor());
    EXPECT_EQ((std::vector<int>{22, 20, 25, 40, 40, 100}), Longitudes());
    EXPECT_EQ((std::vector<int>{1, 0, 0, 0, 0}), Emite());
  } else {
    EXPECT_EQ("TQ", Param().LP_TipoComprobante.Valor());
    EXPECT_EQ((std::vector<int>{30, 20, 30, 40, 40, 106}), Longitudes());
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 0}), Emite());
  }
}

TEST_F(Parametros, FacturaSolaTomaLosDefectosDelModelo) {
  Archivo("Impresora Fiscal", "LP_TipoComprobante=FC\n");
  fiscal::LeerParametros();
  if (kEpson) {  // no model known yet: the any-other-model row
    EXPECT_EQ((std::vector<int>{40, 23, 40, 40, 40, 100}), Longitudes());
    EXPECT_EQ((std::vector<int>{1, 0, 0, 0, 0}), Emite());
  } else {
    EXPECT_EQ((std::vector<int>{50, 50, 50, 120, 106, 106}), Longitudes());
    EXPECT_EQ((std::vector<int>{1, 1, 1, 1, 1}), Emite());
  }
}

TEST_F(Parametros, ValoresLeidosDelArchivo) {
  Archivo("Impresora Fiscal",
          "Grabacion=01/02/26 03:04:05\n"
          "LP_ImpresoraPuerto=abc\n"
          "LP_LonLinCot=60\n"
          "LP_ErrorMostrar=0\n"
          "LP_GenerarLog=1\n");
  LP_ErrorMostrar = 1;
  fiscal::LeerParametros();
  EXPECT_EQ("01/02/26 03:04:05", std::string(LP_ParametrosLeidos, 17));
  EXPECT_EQ(0, Param().LP_ImpresoraPuerto);  // not a number
  EXPECT_EQ(60, LP_LonLinCot);
  EXPECT_EQ(1, Param().LP_GenerarLog);
  EXPECT_EQ(1, LP_ErrorMostrar);  // saved, never read back
}

TEST_F(Parametros, GrabarEscribeLas36ClavesEnOrden) {
  reloj.ahora = {2026, 3, 7, 9, 5, 2};
  LP_LonLinCot = 60;
  LP_ErrorMostrar = 0;
  fiscal::GrabarParametros();
  const std::vector<std::string> claves = {
      "Grabacion",          "LP_ErrorMostrar",    "LP_MostrarComandos", "LP_GenerarLog",
      "LP_ImpresoraPuerto", "LP_ImpresoraConfig", "LP_TipoComprobante", "LP_TipoIva",
      "LP_TipoLetra",       "LP_PapelPreimpreso", "LP_PapelContinuo",   "LP_PermitirAcentos",
      "LP_TarjFirma",       "LP_TarjAclaracion",  "LP_TarjTelefono",    "LP_OSocEmitir",
      "LP_OSocDomicilio",   "LP_OSocDocumento",   "LP_OSocFirma",       "LP_OSocAclaracion",
      "LP_OSocTelefono",    "LP_LonObsFac",       "LP_LonLinFac",       "LP_LonPagFac",
      "LP_LonLinNoF",       "LP_LonLinPag",       "LP_LonLinCot",       "LP_EmiteFAC",
      "LP_EmiteCRE",        "LP_EmiteRTO",        "LP_EmitePAG",        "LP_EmiteCOT",
      "LP_CanDecimales",    "LP_PreDecimales",    "LP_CanMaxima",       "LP_PreMaximo"};
  std::string texto = Contenido(Defecto());
  std::vector<std::string> escritas;
  for (size_t pos = texto.find('\n') + 1; pos < texto.size();) {
    size_t fin = texto.find('\n', pos);
    std::string linea = texto.substr(pos, fin - pos);
    escritas.push_back(linea.substr(0, linea.find('=')));
    pos = fin + 1;
  }
  EXPECT_EQ(claves, escritas);
  EXPECT_EQ(0u, texto.find("[Impresora Fiscal]\nGrabacion=07/03/26 09:05:02\nLP_ErrorMostrar=0\n"));
  EXPECT_EQ("07/03/26 09:05:02", std::string(LP_ParametrosLeidos, 17));

  // What was saved loads again.
  LP_LonLinCot = 80;
  fiscal::LeerParametros();
  EXPECT_EQ(60, LP_LonLinCot);
}

TEST_F(Parametros, ImpresoraDosSoloTocaSuSeccion) {
  Archivo("Impresora Fiscal", "LP_ImpresoraPuerto=5\n");
  const std::string antes = Contenido(Defecto());
  LP_NumeroImpresora[0] = '2';
  Param().LP_ImpresoraPuerto = 3;
  fiscal::GrabarParametros();
  std::string despues = Contenido(Defecto());
  EXPECT_EQ(0u, despues.find(antes + "[Impresora Fiscal2]\nGrabacion="));
  EXPECT_EQ("3", fiscal::LeerPerfil("", "Impresora Fiscal2", "LP_ImpresoraPuerto", ""));
  EXPECT_EQ("5", fiscal::LeerPerfil("", "Impresora Fiscal", "LP_ImpresoraPuerto", ""));
}

}  // namespace
