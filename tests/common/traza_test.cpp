// The command trace log "fiscal.log": entries, numbering, the audit notice.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "carpeta_temporal.h"
#include "common/driver.h"
#include "common/errores.h"
#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "common/perfil.h"
#include "common/traza.h"
#include "common/trama.h"
#include "entorno_prueba.h"

namespace {

using fiscal::kDriver;
using prueba::Contenido;
using prueba::Grabar;

const bool kEpson = kDriver.aviso_auditoria;

class Traza : public prueba::PruebaEnCarpeta {
 protected:
  void SetUp() override {
    PruebaEnCarpeta::SetUp();
    fiscal::Param().LP_GenerarLog = 1;
    LP_NumeroImpresora[0] = '1';
    LP_ErrorMostrar = 0;
  }
  static std::string Entrada(const std::string& clave, const std::string& seccion = "Impresora 1") {
    return fiscal::LeerPerfil("fiscal.log", seccion, clave, "<ninguna>");
  }
  static std::string Trama(uint8_t secuencia, uint8_t codigo, std::vector<std::string_view> campos) {
    return fiscal::ArmarTrama(secuencia, codigo, campos, {});
  }
};

TEST_F(Traza, LaOrdenDeEstadoEntradaPorEntrada) {
  fiscal::Argumentos argumentos;
  argumentos.Asignar(1, "A");
  argumentos.Asignar(2, "B");
  fiscal::TrazarOrden(200, argumentos);
  fiscal::TrazarComando(0x2A, Trama(0x21, 0x2A, {"N"}));
  const std::string respuesta = "\x02!*\x1c" "0080\x1c" "0600\x1c" "00000457\x03" "0123";
  fiscal::TrazarRespuesta(respuesta);
  EXPECT_EQ(4, fiscal::TrazarCierre());

  EXPECT_EQ("***200*** A;B" + std::string(20, ';'), Entrada("1"));
  EXPECT_EQ("2Ah) /!*/N/00BA", Entrada("2"));
  // The reader trims the blank that begins the answer entry.
  EXPECT_EQ("OK) " + respuesta, Entrada("3"));
  EXPECT_EQ("<ninguna>", Entrada("4"));
  EXPECT_EQ("4", Entrada("Lineas"));
  EXPECT_NE(std::string::npos, Contenido("fiscal.log").find("\n3= OK) " + respuesta + "\n"));
  EXPECT_TRUE(operador.cajas.empty());
}

TEST_F(Traza, ElPrimerNumeroDeUnArchivoNuevoEsUno) {
  fiscal::TrazarComando(0x2A, Trama(0x21, 0x2A, {}));
  EXPECT_EQ("1", Entrada("Lineas"));
  EXPECT_EQ("2Ah) /!*/0050", Entrada("1"));
}

TEST_F(Traza, ElComandoSeCortaEnDoscientos) {
  const std::string trama = std::string(300, 'A') + "   ";
  fiscal::TrazarComando(0x41, trama);
  EXPECT_EQ("41h) " + std::string(200, 'A'), Entrada("1"));
}

TEST_F(Traza, AcentosSegunElParametroYLaMarca) {
  struct Caso {
    const char* permitir;
    std::string esperado;
  };
  const Caso casos[] = {
      {"S", "40h) \xE1\xF1\xFC"},
      {"N", kEpson ? "40h) a#u" : "40h) a##"},
  };
  int n = 0;
  for (const Caso& c : casos) {
    fiscal::Param().LP_PermitirAcentos = c.permitir;
    fiscal::TrazarComando(0x40, "\xE1\xF1\xFC");
    EXPECT_EQ(c.esperado, Entrada(std::to_string(++n))) << c.permitir;
  }
}

TEST_F(Traza, ElEscapeDeHasarSeVeComoBarra) {
  fiscal::OpcionesTrama hasar;
  hasar.esc = true;
  std::vector<std::string_view> ninguno;
  fiscal::TrazarComando(0x2A, fiscal::ArmarTrama(0x21, 0x2A, ninguno, hasar));
  EXPECT_EQ("2Ah) /!/*/" + fiscal::CalcularBCC("\x02!\x1b*\x03"), Entrada("1"));
}

TEST_F(Traza, ElCierreAnotaElErrorSoloSiLoHay) {
  fiscal::TrazarComando(0x2A, Trama(0x22, 0x2A, {}));
  EXPECT_EQ(2, fiscal::TrazarCierre());
  fiscal::MostrarError("Error al leer el puerto|Codigo=5");
  EXPECT_EQ(3, fiscal::TrazarCierre());
  EXPECT_EQ("<ninguna>", Entrada("2"));
  EXPECT_EQ("Error al leer el puerto|Codigo=5", Entrada("3"));
  EXPECT_EQ("3", Entrada("Lineas"));
}

TEST_F(Traza, AvisoDeAuditoria) {
  const std::string aviso =
      "El controlador fiscal est\xE1 generando un archivo de auditor\xED" "a."
      "|Esto puede retrasar las tareas de impresion.";
  struct Caso {
    int previo;
    bool avisa_epson;
  };
  const Caso casos[] = {{149, false}, {199, true}, {249, true}, {259, false}, {349, true}};
  for (const Caso& c : casos) {
    Grabar("fiscal.log", "[Impresora 1]\nLineas=" + std::to_string(c.previo) + "\n");
    operador.cajas.clear();
    EXPECT_EQ(c.previo + 1, fiscal::TrazarCierre());
    auto avisos = operador.Con("AVISO");
    if (kEpson && c.avisa_epson) {
      ASSERT_EQ(1u, avisos.size()) << c.previo + 1;
      EXPECT_EQ(aviso, avisos[0].texto);
      EXPECT_EQ(fiscal::Icono::Informacion, avisos[0].icono);
      EXPECT_EQ(fiscal::Botones::Aceptar, avisos[0].botones);
    } else {
      EXPECT_TRUE(avisos.empty()) << c.previo + 1;
    }
  }
}

TEST_F(Traza, DosImpresorasEnDosSecciones) {
  fiscal::TrazarComando(0x2A, "uno");
  LP_NumeroImpresora[0] = '2';
  fiscal::TrazarComando(0x2A, "dos");
  fiscal::TrazarCierre();
  LP_NumeroImpresora[0] = '1';
  fiscal::TrazarComando(0x2A, "tres");
  EXPECT_EQ("2", Entrada("Lineas", "Impresora 1"));
  EXPECT_EQ("2", Entrada("Lineas", "Impresora 2"));
  EXPECT_EQ("2Ah) uno", Entrada("1", "Impresora 1"));
  EXPECT_EQ("2Ah) tres", Entrada("2", "Impresora 1"));
  EXPECT_EQ("2Ah) dos", Entrada("1", "Impresora 2"));
}

TEST_F(Traza, ContinuaLaNumeracionGuardada) {
  Grabar("fiscal.log", "[Impresora 1]\r\nLineas=41\r\n41=vieja\r\n");
  fiscal::TrazarRespuesta("x");
  EXPECT_EQ("42", Entrada("Lineas"));
  EXPECT_EQ("OK) x", Entrada("42"));
  EXPECT_EQ("vieja", Entrada("41"));
}

TEST_F(Traza, ApagadoNoTocaNada) {
  fiscal::Param().LP_GenerarLog = 0;
  fiscal::MostrarError("falla");
  fiscal::TrazarOrden(200, fiscal::Argumentos());
  fiscal::TrazarComando(0x2A, "x");
  fiscal::TrazarRespuesta("x");
  EXPECT_EQ(0, fiscal::TrazarCierre());
  EXPECT_FALSE(std::filesystem::exists("fiscal.log"));
}

// Through the order call: with logging off a call leaves no file.
class TrazaDeLaOrden : public prueba::EntornoPrueba {};

TEST_F(TrazaDeLaOrden, SoloConElRegistroEncendido) {
  LP_ErrorMostrar = 0;
  fiscal::Estado().SerieLeida = "SERIE";
  for (uint8_t encendido : {0, 1}) {
    fiscal::Param().LP_GenerarLog = encendido;
    LP_IMPRIMIR(200, "A", "B");  // the printer stays silent
    EXPECT_EQ(encendido == 1, std::filesystem::exists("fiscal.log"));
  }
}

TEST_F(TrazaDeLaOrden, EjemploDeLaOrdenDeEstadoEpson) {
  if (!kEpson) GTEST_SKIP() << "the Hasar exchange traces its own frames";
  const std::string respuesta = prueba::RespuestaEpson('!', '*', 0x0080, 0x0600, {"00000457"});
  puerto.al_escribir = [&](std::string_view) { puerto.Enviar(respuesta); };
  fiscal::Estado().SerieLeida = "SERIE";
  fiscal::Param().LP_GenerarLog = 1;
  LP_NumeroImpresora[0] = '1';
  LP_IMPRIMIR(200, "A", "B");
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  auto entrada = [](const char* clave) {
    return fiscal::LeerPerfil("fiscal.log", "Impresora 1", clave, "<ninguna>");
  };
  EXPECT_EQ("***200*** A;B" + std::string(20, ';'), entrada("1"));
  EXPECT_EQ("2Ah) /!*/N/00BA", entrada("2"));
  EXPECT_EQ("OK) " + respuesta, entrada("3"));
  EXPECT_EQ("<ninguna>", entrada("4"));
  EXPECT_EQ("4", entrada("Lineas"));
}

}  // namespace
