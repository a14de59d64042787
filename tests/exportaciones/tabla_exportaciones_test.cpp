// The dynamic symbol table of each built library holds the interface and
// nothing else: the three procedures as code, the thirty-three variables as
// data of their exact size. Hosts bind these names and read these sizes.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <sstream>
#include <string>

namespace {

struct Simbolo {
  char clase = '?';  // nm's letter: T code, B or D data
  long tamano = -1;  // -1 when nm prints none
};

enum class Clase { Procedimiento, Variable };

struct Esperado {
  const char* nombre;
  Clase clase;
  long tamano;  // variables only
};

constexpr Esperado kInterfaz[] = {
    {"LP_IMPRIMIR", Clase::Procedimiento, 0},
    {"LP_EDITARPARAMETROS", Clase::Procedimiento, 0},
    {"LP_EDITARTITULOS", Clase::Procedimiento, 0},
    {"LP_Resultado", Clase::Variable, 255},
    {"LP_ResultadoMostrar", Clase::Variable, 1},
    {"LP_Error", Clase::Variable, 1},
    {"LP_ErrorMensaje", Clase::Variable, 255},
    {"LP_ErrorMostrar", Clase::Variable, 1},
    {"LP_UltimoComprobante", Clase::Variable, 4},
    {"LP_UltimoTotal", Clase::Variable, 6},
    {"LP_UltimoNeto", Clase::Variable, 6},
    {"LP_UltimoIva", Clase::Variable, 6},
    {"LP_UltimoImpInterno", Clase::Variable, 6},
    {"LP_UltimoPercepcion", Clase::Variable, 6},
    {"LP_SerieImpresora", Clase::Variable, 15},
    {"LP_Fiscalizada", Clase::Variable, 1},
    {"LP_CajonAbierto", Clase::Variable, 1},
    {"LP_ParametrosLeidos", Clase::Variable, 17},
    {"LP_NumeroImpresora", Clase::Variable, 1},
    {"LP_FechaImpresora", Clase::Variable, 4},
    {"LP_HoraImpresora", Clase::Variable, 4},
    {"LP_LonObsFac", Clase::Variable, 1},
    {"LP_LonLinFac", Clase::Variable, 1},
    {"LP_LonPagFac", Clase::Variable, 1},
    {"LP_LonLinNoF", Clase::Variable, 1},
    {"LP_LonLinPag", Clase::Variable, 1},
    {"LP_LonLinCot", Clase::Variable, 1},
    {"LP_EmiteFAC", Clase::Variable, 1},
    {"LP_EmiteCRE", Clase::Variable, 1},
    {"LP_EmiteRTO", Clase::Variable, 1},
    {"LP_EmitePAG", Clase::Variable, 1},
    {"LP_EmiteCOT", Clase::Variable, 1},
    {"LP_CanDecimales", Clase::Variable, 1},
    {"LP_PreDecimales", Clase::Variable, 1},
    {"LP_CanMaxima", Clase::Variable, 4},
    {"LP_PreMaximo", Clase::Variable, 4},
};

// The defined dynamic symbols of a shared library, as nm lists them:
// "address [size] letter name".
std::map<std::string, Simbolo> SimbolosDinamicos(const std::string& biblioteca) {
  const std::string orden =
      std::string(HERRAMIENTA_NM) + " -D -S --defined-only '" + biblioteca + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> nm(popen(orden.c_str(), "r"), pclose);
  std::map<std::string, Simbolo> simbolos;
  if (!nm) return simbolos;
  char linea[1024];
  while (std::fgets(linea, sizeof linea, nm.get())) {
    std::istringstream campos(linea);
    std::string palabras[4];
    int n = 0;
    while (n < 4 && campos >> palabras[n]) ++n;
    Simbolo s;
    if (n == 4) {
      s.tamano = std::stol(palabras[1], nullptr, 16);
      s.clase = palabras[2][0];
      simbolos[palabras[3]] = s;
    } else if (n == 3) {
      s.clase = palabras[1][0];
      simbolos[palabras[2]] = s;
    } else {
      ADD_FAILURE() << "salida inesperada de nm: " << linea;
    }
  }
  return simbolos;
}

class TablaDinamica : public testing::TestWithParam<const char*> {};

TEST_P(TablaDinamica, ExportaSoloElInterfazConSusTamanos) {
  std::map<std::string, Simbolo> simbolos = SimbolosDinamicos(GetParam());
  ASSERT_FALSE(simbolos.empty()) << GetParam();

  for (const Esperado& e : kInterfaz) {
    auto it = simbolos.find(e.nombre);
    if (it == simbolos.end()) {
      ADD_FAILURE() << "falta " << e.nombre;
      continue;
    }
    const Simbolo s = it->second;
    simbolos.erase(it);
    if (e.clase == Clase::Procedimiento) {
      EXPECT_EQ('T', s.clase) << e.nombre << " debe ser codigo";
    } else {
      EXPECT_TRUE(s.clase == 'B' || s.clase == 'D') << e.nombre << " debe ser dato, es "
                                                    << s.clase;
      EXPECT_EQ(e.tamano, s.tamano) << e.nombre;
    }
  }
  for (const auto& [nombre, s] : simbolos) ADD_FAILURE() << "exporta de mas: " << nombre;
}

INSTANTIATE_TEST_SUITE_P(Bibliotecas, TablaDinamica,
                         testing::Values(BIBLIOTECA_EPSON, BIBLIOTECA_HASAR),
                         [](const testing::TestParamInfo<const char*>& info) {
                           return std::string(info.index == 0 ? "drvepson" : "drvhasar");
                         });

}  // namespace
