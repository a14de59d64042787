// A Z closing against the simulated Hasar printer, which works on it for a
// while and sends keep-alives meanwhile: the answer listed, the window
// shown and the closing recorded in the closings log.
#include <gtest/gtest.h>

#include <string>

#include "common/lp_fiscal.h"
#include "common/perfil.h"
#include "common/texto.h"
#include "simulador_fixture.h"

namespace {

class CierreSimuladorHasar : public prueba::PruebaConSimulador {
 protected:
  void SetUp() override {
    PruebaConSimulador::SetUp();
    LP_ErrorMostrar = 0;
  }
};

TEST_F(CierreSimuladorHasar, CierreZConsecutivos) {
  for (int numero = 1; numero <= 2; ++numero) {
    SCOPED_TRACE(numero);
    operador.ventanas.clear();
    LP_IMPRIMIR(207);
    ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
    const std::string resultado(fiscal::LeerFijo(LP_Resultado));
    EXPECT_EQ(0u, resultado.rfind("|01=" + std::to_string(numero) + "|02=0|", 0)) << resultado;
    ASSERT_EQ(1u, operador.ventanas.size());
    EXPECT_EQ("Resultado del cierre Z", operador.ventanas[0].titulo);
    EXPECT_EQ("Numero de cierre", operador.ventanas[0].filas.at(0).etiqueta);

    const std::string titulo = fiscal::LeerPerfil("CIERRES.LOG", "Ultimo cierre", "Titulo", "");
    EXPECT_EQ("Z/0000" + std::to_string(numero) + " ", titulo.substr(0, 8));
    EXPECT_EQ(25u, titulo.size());
    EXPECT_EQ(resultado, fiscal::LeerPerfil("CIERRES.LOG", "Historial", titulo, ""));
  }
  EXPECT_NE(std::string::npos, sim->TextoRollo().find("INFORME DIARIO DE CIERRE \"Z\" Nro. 2"));
}

}  // namespace
