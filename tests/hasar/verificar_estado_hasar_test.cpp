// The Hasar status words: what is an error, what a warning, when warnings
// are shown, and the flags left for the host.
#include <gtest/gtest.h>

#include <string>

#include "common/errores.h"
#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "common/trama.h"
#include "entorno_prueba.h"
#include "hasar/verificar_estado_hasar.h"

namespace {

struct CasoEstado {
  const char* nombre;
  uint16_t impresora = 0, fiscal = 0;
  uint8_t codigo = 0x2A;
  int16_t orden = 200;
  bool serie_conocida = true, tolera = false, papel_fatal = false;
  std::string campo1 = "";
  std::string error = "";  // "" = no error
  std::string aviso = "";  // "" = no box
  uint8_t aceptado = 1, cajon = 1, fiscalizada = 0;
};

class EstadoHasar : public prueba::EntornoPrueba {};

std::string Sufijo(uint16_t impresora, uint16_t fiscal, const char* codigo) {
  return "|" + fiscal::TextoEstado(impresora, fiscal) + " (" + codigo + "h)";
}

TEST_F(EstadoHasar, TablasDeEstado) {
  const std::string cierre = "Debe realizar el cierre Z|";
  const std::string en_curso = "Tiene que cerrar o anular el comprobante en curso|";
  const CasoEstado casos[] = {
      {.nombre = "todo bien"},
      {.nombre = "fiscalizada", .fiscal = 0x0600, .fiscalizada = 1},
      {.nombre = "cajon cerrado", .impresora = 0x4000, .cajon = 0},
      {.nombre = "memorias", .fiscal = 0x0081,
       .error = "Error comprobacion memoria fiscal|Memoria fiscal llena|" +
                Sufijo(0, 0x0081, "2A")},
      {.nombre = "campo invalido con el campo de la impresora", .fiscal = 0x0010, .campo1 = "3  ",
       .error = "Campo de datos invalido|3|" + Sufijo(0, 0x0010, "2A")},
      {.nombre = "comando no reconocido", .fiscal = 0x0008, .codigo = 0x73,
       .error = "Comando no reconocido|" + Sufijo(0, 0x0008, "73")},
      {.nombre = "estado fiscal", .fiscal = 0x0020, .codigo = 0x40,
       .error = "Comando no valido para el estado fiscal actual|" + Sufijo(0, 0x0020, "40")},
      {.nombre = "rechazo tolerado", .fiscal = 0x0038, .tolera = true, .aceptado = 0},
      {.nombre = "cierre Z abriendo comprobante", .fiscal = 0x0800, .codigo = 0x40, .orden = 216,
       .error = cierre + Sufijo(0, 0x0800, "40")},
      {.nombre = "cierre Z abriendo no fiscal", .fiscal = 0x0800, .codigo = 0x48, .orden = 225,
       .error = cierre + Sufijo(0, 0x0800, "48")},
      {.nombre = "cierre Z en otra orden es aviso no mostrado", .fiscal = 0x0800, .orden = 201},
      {.nombre = "cierre Z antes de conocer la serie", .fiscal = 0x0800, .orden = 201,
       .serie_conocida = false, .aviso = cierre + Sufijo(0, 0x0800, "2A")},
      {.nombre = "comprobante en curso nunca es error", .fiscal = 0x1800, .orden = 216},
      {.nombre = "comprobante en curso en cierre X", .fiscal = 0x1800, .codigo = 0x39,
       .orden = 206, .aviso = cierre + en_curso + Sufijo(0, 0x1800, "39")},
      {.nombre = "desborde aun con jornada abierta", .fiscal = 0x0840, .orden = 207,
       .error = "Desbordamiento de totales|" + cierre + Sufijo(0, 0x0840, "2A"),
       .aviso = cierre + Sufijo(0, 0x0840, "2A")},
      {.nombre = "falta papel imprimiendo", .impresora = 0x0010, .codigo = 0x42,
       .papel_fatal = true, .error = "Falta papel para auditoria|" + Sufijo(0x0010, 0, "42")},
      {.nombre = "falta papel en consulta no se muestra", .impresora = 0x0030},
      {.nombre = "faltas de la impresora en cierre Z", .impresora = 0x003C, .codigo = 0x39,
       .orden = 207,
       .aviso = "Error en la impresora|Impresora fuera de linea|Falta papel para auditoria|"
                "Falta papel para comprobantes|" + Sufijo(0x003C, 0, "39")},
      {.nombre = "buffer lleno siempre es error", .impresora = 0x0040,
       .error = "Buffer de impresora lleno|" + Sufijo(0x0040, 0, "2A")},
      {.nombre = "avisos fiscales en cierre X", .fiscal = 0x0104, .orden = 206,
       .aviso = "Poca bateria|Memoria fiscal casi llena|" + Sufijo(0, 0x0104, "2A")},
  };
  for (const CasoEstado& c : casos) {
    SCOPED_TRACE(c.nombre);
    operador.cajas.clear();
    fiscal::MostrarError("");
    fiscal::EstadoDriver& e = fiscal::Estado();
    fiscal::Enlace& en = e.enlace;
    en.EstadoImpresora = c.impresora;
    en.EstadoFiscal = c.fiscal;
    en.TextoEstado = fiscal::TextoEstado(c.impresora, c.fiscal);
    en.CamposRespuesta[0] = c.campo1;
    en.ToleraRechazo = c.tolera;
    en.ErrorPapelFatal = c.papel_fatal;
    e.orden_en_curso = c.orden;
    e.SerieLeida = c.serie_conocida ? "HSR0000123" : "";
    fiscal::VerificarEstado(c.codigo);
    EXPECT_EQ(c.error, LP_ErrorMensaje);
    auto avisos = operador.Con("AVISO");
    if (c.aviso.empty()) {
      EXPECT_TRUE(avisos.empty());
    } else {
      ASSERT_EQ(1u, avisos.size());
      EXPECT_EQ(c.aviso, avisos[0].texto);
      EXPECT_EQ(fiscal::Icono::Informacion, avisos[0].icono);
    }
    EXPECT_EQ(c.aceptado, en.ComandoAceptado);
    EXPECT_EQ(c.cajon, LP_CajonAbierto);
    EXPECT_EQ(c.fiscalizada, LP_Fiscalizada);
    EXPECT_EQ(0, en.ToleraRechazo);
    EXPECT_EQ(0, en.ErrorPapelFatal);
  }
}

TEST_F(EstadoHasar, FallaDelIntercambioNoTocaLosIndicadores) {
  LP_CajonAbierto = 0;
  LP_Fiscalizada = 1;
  fiscal::Enlace& en = fiscal::ElEnlace();
  en.EstadoFiscal = 0x0081;
  en.ToleraRechazo = 1;
  en.ErrorPapelFatal = 1;
  en.ComandoAceptado = 0;
  fiscal::MostrarError("Error al leer el puerto|Codigo=5");
  fiscal::VerificarEstado(0x2A);
  EXPECT_STREQ("Error al leer el puerto|Codigo=5", LP_ErrorMensaje);
  EXPECT_EQ(0, LP_CajonAbierto);
  EXPECT_EQ(1, LP_Fiscalizada);
  EXPECT_EQ(1, en.ComandoAceptado);
  // The marks were for the failed command only.
  EXPECT_EQ(0, en.ToleraRechazo);
  EXPECT_EQ(0, en.ErrorPapelFatal);
}

}  // namespace
