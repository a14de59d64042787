// One order call of the Hasar driver from the host's side: draining, the
// identity query of the first contact and the dispatch.
#include <gtest/gtest.h>

#include <string>

#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "common/texto.h"
#include "impresora_hasar.h"

namespace {

using namespace prueba;

class ConexionHasar : public ImpresoraHasar {
 protected:
  void SetUp() override {
    ImpresoraHasar::SetUp();
    LP_ErrorMostrar = 0;
    por_codigo['*'] = Contestar(0, 0x0600, {"00000457"});
    por_codigo['s'] = Contestar(0, 0x0600, {"30-12345678-9", "", "HSR0000123"});
    por_codigo[0x7F] = Contestar(0, 0x0600, {"P-441F"});
  }
  // The commands sent, as their character (or code in hex), "^" marking ESC.
  std::vector<std::string> Comandos() const {
    std::vector<std::string> r;
    for (const auto& t : Tramas()) {
      std::string c = t.esc ? "^" : "";
      c += t.codigo < 0x7F ? std::string(1, static_cast<char>(t.codigo))
                           : fiscal::HexaDeByte(t.codigo);
      r.push_back(c);
    }
    return r;
  }
  std::string Serie() const { return std::string(fiscal::LeerFijo(LP_SerieImpresora)); }
};

TEST_F(ConexionHasar, IdentidadEnTiqueSinModelo) {
  LP_IMPRIMIR(200);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  LP_IMPRIMIR(200);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  EXPECT_EQ((std::vector<std::string>{"*", "s", "*", "*"}), Comandos());
  EXPECT_EQ(457, LP_UltimoComprobante);
  EXPECT_EQ("HSR0000123", Serie());
  EXPECT_EQ("HSR0000123", fiscal::Estado().SerieLeida.Valor());
  EXPECT_EQ("Sin modelo", fiscal::Estado().ModeloImpresora.Valor());
  EXPECT_EQ(1, LP_Fiscalizada);
  EXPECT_FALSE(puerto.abierto);
}

TEST_F(ConexionHasar, IdentidadEnFormulariosConModelo) {
  fiscal::Param().LP_TipoComprobante = "FC";
  LP_IMPRIMIR(200);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  EXPECT_EQ((std::vector<std::string>{"^*", "^s", "^7F", "^*"}), Comandos());
  EXPECT_EQ("P-441F", fiscal::Estado().ModeloImpresora.Valor());
  EXPECT_EQ("HSR0000123", Serie());
}

TEST_F(ConexionHasar, ImpresoraQueNoConoceLaSerie) {
  por_codigo['s'] = Contestar(0, 0x0008);
  LP_IMPRIMIR(200);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  EXPECT_EQ("Sin serie", Serie());
  EXPECT_TRUE(operador.Con("AVISO").empty());
  puerto.escrituras.clear();
  LP_IMPRIMIR(200);
  EXPECT_EQ((std::vector<std::string>{"*"}), Comandos());
}

TEST_F(ConexionHasar, SerieSinRespuestaSeVuelveAConsultar) {
  por_codigo['s'] = Callar();
  LP_IMPRIMIR(200);
  EXPECT_STREQ("Error en la comunicacion con impresora||INTENTO=1 PTO-TimeOut 30\"",
               LP_ErrorMensaje);
  EXPECT_TRUE(fiscal::Estado().SerieLeida.Blanco());
  EXPECT_EQ("", Serie());
  EXPECT_FALSE(puerto.abierto);
  EXPECT_EQ((std::vector<std::string>{"*", "s"}), Comandos());

  por_codigo['s'] = Contestar(0, 0, {"", "", "HSR0000999"});
  puerto.escrituras.clear();
  LP_IMPRIMIR(200);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  EXPECT_EQ((std::vector<std::string>{"*", "s", "*"}), Comandos());
  EXPECT_EQ("HSR0000999", Serie());
}

TEST_F(ConexionHasar, BytesPendientesAntesDeLaPrimeraConsulta) {
  puerto.EnviarYa("\x06\x02\x20*\x1c");
  LP_IMPRIMIR(200);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  // Each waiting byte is acknowledged before the first frame goes out.
  ASSERT_GE(puerto.escrituras.size(), 6u);
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ("\x06", puerto.escrituras[i]) << i;
  EXPECT_EQ('\x02', puerto.escrituras[5][0]);
  int avisos = 0;
  for (const auto& c : operador.Con("AVISO"))
    avisos += c.texto == "Se intenta desbloquear la impresora";
  EXPECT_EQ(1, avisos);
}

TEST_F(ConexionHasar, LaOrdenNoHeredaLaMarcaDePapel) {
  fiscal::Estado().SerieLeida = "HSR0000123";
  por_codigo['*'] = Contestar(0x0010, 0);
  fiscal::ElEnlace().ErrorPapelFatal = 1;
  LP_IMPRIMIR(200);
  EXPECT_EQ(0, LP_Error) << LP_ErrorMensaje;
  EXPECT_TRUE(operador.Con("AVISO").empty());
}

TEST_F(ConexionHasar, OrdenesQueNoExisten) {
  fiscal::Estado().SerieLeida = "HSR0000123";
  for (int16_t orden : {199, 230, 233, 234}) {
    LP_IMPRIMIR(orden, "A");
    EXPECT_EQ("La orden indicada no es valida|Orden=" + std::to_string(orden),
              std::string(LP_ErrorMensaje));
  }
  EXPECT_TRUE(puerto.escrituras.empty());
}

}  // namespace
