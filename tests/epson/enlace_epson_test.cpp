// The Epson exchange against a scripted printer on a fake clock.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>

#include "common/driver.h"
#include "common/errores.h"
#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "common/trama.h"
#include "entorno_prueba.h"
#include "epson/verificar_estado_epson.h"

namespace {

using prueba::RespuestaEpson;
using prueba::TramaEnviada;

// What the scripted printer does with one frame.
using Reaccion = std::function<void(prueba::PuertoGuionado&, const TramaEnviada&)>;

Reaccion Contestar(uint16_t impresora = 0, uint16_t fiscal = 0,
                   std::vector<std::string> campos = {}) {
  return [=](prueba::PuertoGuionado& p, const TramaEnviada& t) {
    p.Enviar(RespuestaEpson(t.secuencia, t.codigo, impresora, fiscal, campos));
  };
}
Reaccion Enviar(std::string bytes, int64_t demora = 0) {
  return [=](prueba::PuertoGuionado& p, const TramaEnviada&) { p.Enviar(bytes, demora); };
}
Reaccion Callar() {
  return [](prueba::PuertoGuionado&, const TramaEnviada&) {};
}
Reaccion BccErroneo() {
  return [](prueba::PuertoGuionado& p, const TramaEnviada& t) {
    std::string r = RespuestaEpson(t.secuencia, t.codigo, 0, 0);
    r.back() = r.back() == '0' ? '1' : '0';
    p.Enviar(r);
  };
}

class EnlaceEpson : public prueba::EntornoPrueba {
 protected:
  void SetUp() override {
    EntornoPrueba::SetUp();
    puerto.al_escribir = [this](std::string_view w) {
      TramaEnviada t = prueba::DesarmarTrama(w);
      Reaccion r = reacciones.empty() ? Contestar() : reacciones.front();
      if (!reacciones.empty()) reacciones.pop_front();
      r(puerto, t);
    };
    AbrirPuertoGuionado();
  }
  std::string Detalle() const { return fiscal::ElEnlace().DetalleReintentos; }

  std::deque<Reaccion> reacciones;
};

TEST_F(EnlaceEpson, PrimeraTramaYVueltaDeSecuencia) {
  fiscal::EnviarComando(0x48);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  EXPECT_EQ(std::string("\x02\x21\x48\x03" "006E"), puerto.escrituras.at(0));

  fiscal::ElEnlace().SecuenciaComando = 0x7D;
  fiscal::EnviarComando(0x2A, {"N"});
  fiscal::EnviarComando(0x2A, {"N"});
  auto tramas = Tramas();
  EXPECT_EQ(0x7E, tramas.at(1).secuencia);
  EXPECT_EQ(0x21, tramas.at(2).secuencia);
}

TEST_F(EnlaceEpson, ReenvioRepiteLaTramaExacta) {
  reacciones = {Enviar("\x15"), BccErroneo()};
  fiscal::EnviarComando('B', {"Item", "1.000"});
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  ASSERT_EQ(3u, puerto.escrituras.size());
  EXPECT_EQ(puerto.escrituras[0], puerto.escrituras[1]);
  EXPECT_EQ(puerto.escrituras[0], puerto.escrituras[2]);
  EXPECT_EQ(" NAK BCC", Detalle());
}

TEST_F(EnlaceEpson, CamposBlancosYFinalesYRespuestaCorta) {
  reacciones = {Contestar(0, 0x0600)};
  fiscal::EnviarComando('A', {"   ", "abc  ", " x"});
  ASSERT_EQ(0, LP_Error);
  EXPECT_EQ((std::vector<std::string>{"", "abc", " x"}), Tramas().at(0).campos);
  // An answer with only the status words leaves every return field blank.
  for (const auto& c : fiscal::ElEnlace().CamposRespuesta) EXPECT_TRUE(c.Blanco());
  EXPECT_EQ(1, LP_Fiscalizada);
}

struct CasoFallo {
  const char* nombre;
  std::vector<Reaccion> reacciones;
  std::string detalle;
  bool error;
};

// Each case: what the printer does with the successive sends.
TEST_F(EnlaceEpson, IntentosFallidosYSusMarcas) {
  auto Respuesta = [](uint8_t seq_delta, uint8_t codigo_delta, uint16_t impresora) -> Reaccion {
    return [=](prueba::PuertoGuionado& p, const TramaEnviada& t) {
      p.Enviar(RespuestaEpson(static_cast<char>(t.secuencia + seq_delta),
                              static_cast<char>(t.codigo + codigo_delta), impresora, 0));
    };
  };
  const CasoFallo casos[] = {
      {"nak", {Enviar("\x15")}, " NAK", false},
      {"secuencia", {Respuesta(1, 0, 0)}, " SEQ", false},
      {"orden", {Respuesta(0, 1, 0)}, " ORD", false},
      {"buffer lleno", {Respuesta(0, 0, 0x0040)}, " BUF", false},
      {"nak en medio de la respuesta", {Enviar("\x02\x21*\x1c" "00\x15")}, " NAK", false},
      {"dos nak y silencio", {Enviar("\x15"), Enviar("\x15"), Callar()}, " NAK NAK 30\"", true},
  };
  for (const CasoFallo& c : casos) {
    SCOPED_TRACE(c.nombre);
    fiscal::ElEnlace().SecuenciaComando = 0x20;
    reacciones.assign(c.reacciones.begin(), c.reacciones.end());
    fiscal::EnviarComando('*', {"N"});
    EXPECT_EQ(c.detalle, Detalle());
    EXPECT_EQ(c.error, LP_Error == 1);
    if (c.error) {
      EXPECT_EQ("Error en la comunicacion con impresora|" + c.detalle, LP_ErrorMensaje);
    }
    reacciones.clear();
  }
}

TEST_F(EnlaceEpson, VeinteEnviosComoMaximo) {
  for (int i = 0; i < 25; ++i) reacciones.push_back(BccErroneo());
  fiscal::EnviarComando('*', {"N"});
  EXPECT_EQ(20u, puerto.escrituras.size());
  std::string veinte;
  for (int i = 0; i < 20; ++i) veinte += " BCC";
  EXPECT_EQ("Error en la comunicacion con impresora|" + veinte, LP_ErrorMensaje);
}

TEST_F(EnlaceEpson, DC2YDC4NoEstorbanNiAlarganLaEspera) {
  // Keep-alives before and inside the answer are skipped.
  reacciones = {[](prueba::PuertoGuionado& p, const TramaEnviada& t) {
    std::string r = RespuestaEpson(t.secuencia, t.codigo, 0, 0, {"12"});
    p.Enviar("\x12\x14", 50);
    p.Enviar(r.substr(0, 5));
    p.Enviar("\x12", 20);
    p.Enviar(r.substr(5));
  }};
  fiscal::EnviarComando('*', {"N"});
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  EXPECT_EQ("12", fiscal::ElEnlace().CamposRespuesta[0].Valor());

  // A printer that sends keep-alives for ever is given up after 30 seconds.
  reacciones = {[](prueba::PuertoGuionado& p, const TramaEnviada&) {
    for (int i = 0; i < 40; ++i) p.Enviar("\x12", 100);
  }};
  int64_t antes = reloj.centesimas;
  fiscal::EnviarComando('*', {"N"});
  EXPECT_EQ(1, LP_Error);
  EXPECT_EQ(" 30\"", Detalle());
  EXPECT_LE(reloj.centesimas - antes, 3200);
}

TEST_F(EnlaceEpson, ConfirmacionRechazadaNoEnviaNada) {
  fiscal::Param().LP_MostrarComandos = 1;
  fiscal::ElEnlace().ToleraRechazo = 1;
  operador.respuestas = {fiscal::Respuesta::No};
  fiscal::EnviarComando(0x48);
  EXPECT_TRUE(puerto.escrituras.empty());
  EXPECT_EQ(0, LP_Error);
  ASSERT_EQ(1u, operador.cajas.size());
  EXPECT_EQ("48h) Desea emviar ?", operador.cajas[0].titulo);
  EXPECT_EQ(std::string("\x02\x21\x48\x03" "006E"), operador.cajas[0].texto);
  EXPECT_EQ(fiscal::Botones::SiNo, operador.cajas[0].botones);
  EXPECT_EQ(0, fiscal::ElEnlace().ToleraRechazo);
}

TEST_F(EnlaceEpson, ErrorDePuertoTerminaSinMensajePropio) {
  puerto.error_leer = 5;
  fiscal::EnviarComando('*', {"N"});
  EXPECT_STREQ("Error al leer el puerto|Codigo=5", LP_ErrorMensaje);
  EXPECT_EQ(1u, puerto.escrituras.size());
}

// ---- Status words -------------------------------------------------------

struct CasoEstado {
  const char* nombre;
  uint16_t impresora, fiscal;
  uint8_t codigo;
  bool tolera, papel_fatal;
  std::string error;  // "" = no error
  std::string aviso;  // "" = no box
  uint8_t aceptado = 1;
};

class EstadoEpson : public prueba::EntornoPrueba {};

TEST_F(EstadoEpson, TablasDeEstado) {
  const CasoEstado casos[] = {
      {"todo bien", 0, 0, 0x2A, false, false, "", ""},
      {"memorias", 0, 0x0081, 0x2A, false, false,
       "Error comprobacion memoria fiscal|Memoria fiscal llena||I :0000.0000.0000.0000|F:0000."
       "0000.1000.0001",
       ""},
      {"rechazo tolerado", 0, 0x0008, 0x42, true, false, "", "", 0},
      {"bits 6 y 11 sin desborde", 0, 0x0840, 0x44, false, false, "", ""},
      {"cierre Z tras 40h", 0, 0x0800, 0x40, false, false,
       "Debe realizar el cierre Z||I :0000.0000.0000.0000|F:0000.1000.0000.0000", ""},
      {"cierre Z tras 39h se calla", 0, 0x0800, 0x39, false, false, "", ""},
      {"cierre Z tras 2Ah se calla", 0, 0x0800, 0x2A, false, false, "", ""},
      {"cierre Z tras 44h es aviso no mostrado", 0, 0x0800, 0x44, false, false, "", ""},
      {"comprobante en curso", 0, 0x1800, 0x42, false, false,
       "Tiene que cerrar o anular el comprobante en curso||I :0000.0000.0000.0000|F:0001.1000."
       "0000.0000",
       ""},
      {"sin papel imprimiendo", 0x4000, 0x8000, 0x42, false, true,
       "Falta papel en impresora||I :0100.0000.0000.0000|F:1000.0000.0000.0000", ""},
      {"sin papel en consulta", 0x4000, 0x8000, 0x2A, false, false, "",
       "Falta papel en impresora||I :0100.0000.0000.0000|F:1000.0000.0000.0000"},
      {"poca bateria tras 63h", 0, 0x0004, 0x63, false, false, "",
       "Poca bateria||I :0000.0000.0000.0000|F:0000.0000.0000.0100"},
      {"error de impresora ignorado con bit 11", 0x0804, 0, 0x42, false, true, "", ""},
      {"error de impresora con resumen", 0x8004, 0, 0x42, false, true,
       "Error en la impresora||I :1000.0000.0000.0100|F:0000.0000.0000.0000", ""},
  };
  for (const CasoEstado& c : casos) {
    SCOPED_TRACE(c.nombre);
    operador.cajas.clear();
    fiscal::MostrarError("");
    fiscal::Enlace& en = fiscal::ElEnlace();
    en.EstadoImpresora = c.impresora;
    en.EstadoFiscal = c.fiscal;
    en.TextoEstado = fiscal::TextoEstado(c.impresora, c.fiscal);
    en.ToleraRechazo = c.tolera;
    en.ErrorPapelFatal = c.papel_fatal;
    fiscal::VerificarEstado(c.codigo);
    EXPECT_EQ(c.error, LP_ErrorMensaje);
    auto avisos = operador.Con("AVISO");
    if (c.aviso.empty()) {
      EXPECT_TRUE(avisos.empty());
    } else {
      ASSERT_EQ(1u, avisos.size());
      EXPECT_EQ(c.aviso, avisos[0].texto);
    }
    EXPECT_EQ(c.aceptado, en.ComandoAceptado);
    EXPECT_EQ(0, en.ToleraRechazo);
    EXPECT_EQ(0, en.ErrorPapelFatal);
  }
}

TEST_F(EstadoEpson, RechazoNombraElCodigoYLosCampos) {
  fiscal::Enlace& en = fiscal::ElEnlace();
  en.EstadoFiscal = 0x0010;
  en.CamposRespuesta[0] = "1";
  en.TextoEstado = fiscal::TextoEstado(0, 0x0010);
  fiscal::VerificarEstado(0x42);
  EXPECT_STREQ(
      "Campo de datos invalido (42h)|1||I :0000.0000.0000.0000|F:0000.0000.0001.0000",
      LP_ErrorMensaje);
  // The tolerance was for that command only.
  EXPECT_EQ(0, en.ToleraRechazo);
}

TEST_F(EstadoEpson, FallaDelIntercambioNoTocaLosIndicadores) {
  LP_CajonAbierto = 1;
  LP_Fiscalizada = 1;
  fiscal::ElEnlace().ToleraRechazo = 1;
  fiscal::ElEnlace().ErrorPapelFatal = 1;
  fiscal::ElEnlace().EstadoImpresora = 0x4000;
  LP_Error = 1;
  fiscal::VerificarEstado(0x2A);
  EXPECT_EQ(1, LP_CajonAbierto);
  EXPECT_EQ(1, LP_Fiscalizada);
  // Neither mark may carry over to the next command.
  EXPECT_EQ(0, fiscal::ElEnlace().ToleraRechazo);
  EXPECT_EQ(0, fiscal::ElEnlace().ErrorPapelFatal);
}

TEST_F(EstadoEpson, DesbordeDeFormularioEnFacturas) {
  fiscal::Param().LP_TipoComprobante = "FC";
  fiscal::ElEnlace().EstadoFiscal = 0x2840;
  fiscal::VerificarEstado(0x62);
  EXPECT_EQ(0, LP_Error);
  EXPECT_EQ(1, fiscal::ElEnlace().DesbordeFormulario);
  fiscal::ElEnlace().EstadoFiscal = 0;
  fiscal::VerificarEstado(0x62);
  EXPECT_EQ(0, fiscal::ElEnlace().DesbordeFormulario);
}

}  // namespace
