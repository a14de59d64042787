// The trace log as the Hasar driver writes it: the order entry comes from
// the dispatch, after the connection has started.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "carpeta_temporal.h"
#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "common/perfil.h"
#include "impresora_hasar.h"

namespace {

using namespace prueba;

class TrazaHasar : public ImpresoraHasar {
 protected:
  void SetUp() override {
    ImpresoraHasar::SetUp();
    LP_ErrorMostrar = 0;
    fiscal::Param().LP_GenerarLog = 1;
    LP_NumeroImpresora[0] = '1';
    fiscal::Estado().SerieLeida = "HSR0000123";
  }
  static std::string Entrada(const std::string& clave) {
    return fiscal::LeerPerfil("fiscal.log", "Impresora 1", clave, "<ninguna>");
  }
  CarpetaTemporal carpeta;
};

TEST_F(TrazaHasar, OrdenTrasLaConexionSinElArgumento22) {
  LP_IMPRIMIR(200, "A", "B", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
              "", "U", "V");
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  EXPECT_EQ("***200*** A;B" + std::string(19, ';') + "U;", Entrada("1"));
  const std::string trama = puerto.escrituras.at(0);
  EXPECT_EQ("2Ah) / */" + trama.substr(4), Entrada("2"));
  EXPECT_EQ(0u, Entrada("3").rfind("OK) \x02 *\x1c", 0));
  EXPECT_EQ("<ninguna>", Entrada("4"));
  EXPECT_EQ("4", Entrada("Lineas"));

  // A connection that cannot start leaves no order entry.
  puerto.error_abrir = EBUSY;
  LP_IMPRIMIR(200, "A");
  EXPECT_EQ(1, LP_Error);
  EXPECT_EQ("4", Entrada("Lineas"));
}

TEST_F(TrazaHasar, EscDeFormulariosYFalloDelComando) {
  fiscal::Param().LP_TipoComprobante = "FC";
  reacciones = {Callar()};
  LP_IMPRIMIR(200);
  const std::string trama = puerto.escrituras.at(0);
  EXPECT_EQ("2Ah) / /*/" + trama.substr(5), Entrada("2"));
  EXPECT_EQ("Error en la comunicacion con impresora||INTENTO=1 PTO-TimeOut 30\"", Entrada("3"));
  EXPECT_EQ("3", Entrada("Lineas"));
}

}  // namespace
