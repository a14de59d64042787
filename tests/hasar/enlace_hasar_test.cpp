// The Hasar exchange against a scripted printer on a fake clock.
#include <gtest/gtest.h>

#include <string>

#include "common/driver.h"
#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "hasar/enlace_hasar.h"
#include "impresora_hasar.h"

namespace {

using namespace prueba;

class EnlaceHasar : public ImpresoraHasar {
 protected:
  void SetUp() override {
    ImpresoraHasar::SetUp();
    // The identity is known: no draining before each command.
    fiscal::Estado().SerieLeida = "HSR0000123";
    AbrirPuertoGuionado();
  }
  std::string Detalle() const { return fiscal::ElEnlace().DetalleReintentos; }
  // Drops whatever the printer still had scheduled.
  void Vaciar() {
    uint8_t b[256];
    size_t n;
    while (puerto.Pendiente()) {
      reloj.Avanzar(1'000'000);
      puerto.Leer(b, sizeof b, n);
    }
  }
};

TEST_F(EnlaceHasar, PrimeraTramaAcuseYVueltaDeSecuencia) {
  fiscal::EnviarComando('*');
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  const std::string trama = "\x02\x20\x2A\x03";
  ASSERT_EQ(2u, puerto.escrituras.size());
  EXPECT_EQ(trama + SumaBloque(trama), puerto.escrituras[0]);
  EXPECT_EQ("\x06", puerto.escrituras[1]);  // the answer acknowledged
  EXPECT_EQ("|INTENTO=1 ACK", Detalle());

  fiscal::ElEnlace().SecuenciaComando = 0x7E;
  fiscal::EnviarComando('*');
  fiscal::EnviarComando('*');
  auto tramas = Tramas();
  EXPECT_EQ(0x7F, tramas.at(1).secuencia);
  EXPECT_EQ(0x20, tramas.at(2).secuencia);
  EXPECT_EQ(0, LP_Error) << LP_ErrorMensaje;
}

TEST_F(EnlaceHasar, FormulariosLlevanEscYNoVerificanElBloque) {
  fiscal::Param().LP_TipoComprobante = "FC";
  reacciones = {[](PuertoGuionado& p, const TramaEnviada& t) {
    std::string r = RespuestaHasar(static_cast<char>(t.secuencia), '*', 0, 0x0600, {"77"}, true);
    r.back() = r.back() == '0' ? '1' : '0';
    p.Enviar("\x06" + r);
  }};
  fiscal::EnviarComando('*');
  const std::string trama = "\x02\x20\x1B\x2A\x03";
  EXPECT_EQ(trama + SumaBloque(trama), puerto.escrituras.at(0));
  EXPECT_EQ(0, LP_Error) << LP_ErrorMensaje;
  EXPECT_EQ("|INTENTO=1 ACK", Detalle());
  EXPECT_EQ("77", fiscal::ElEnlace().CamposRespuesta[0].Valor());
  EXPECT_EQ(1, LP_Fiscalizada);
}

struct CasoIntento {
  const char* nombre;
  std::vector<Reaccion> reacciones;
  std::string detalle;
  size_t envios;
  std::string mensaje = "";  // "" = no error
};

Reaccion Respuesta(int seq_delta, int codigo_delta, uint16_t impresora = 0) {
  return [=](PuertoGuionado& p, const TramaEnviada& t) {
    p.Enviar("\x06" + RespuestaHasar(static_cast<char>(t.secuencia + seq_delta),
                                     static_cast<char>(t.codigo + codigo_delta), impresora, 0));
  };
}

// The answer without the ACK before it.
Reaccion SoloRespuesta() {
  return [](PuertoGuionado& p, const TramaEnviada& t) {
    p.Enviar(RespuestaHasar(static_cast<char>(t.secuencia), static_cast<char>(t.codigo), 0, 0));
  };
}

Reaccion BloqueErroneo() {
  return [](PuertoGuionado& p, const TramaEnviada& t) {
    std::string r =
        RespuestaHasar(static_cast<char>(t.secuencia), static_cast<char>(t.codigo), 0, 0);
    r.back() = r.back() == '0' ? '1' : '0';
    p.Enviar("\x06" + r);
  };
}

// `byte` every `cada` hundredths for `total`.
Reaccion Flujo(std::string byte, int64_t cada, int64_t total) {
  return [=](PuertoGuionado& p, const TramaEnviada&) {
    for (int64_t s = cada; s <= total; s += cada) p.Enviar(byte, cada);
  };
}

// The ACK, keep-alives every `cada` hundredths for `total`, then the answer.
Reaccion Latidos(std::string latido, int64_t cada, int64_t total) {
  return Luego({Bytes("\x06"), Flujo(latido, cada, total),
                [=](PuertoGuionado& p, const TramaEnviada& t) {
                  p.Enviar(RespuestaHasar(static_cast<char>(t.secuencia),
                                          static_cast<char>(t.codigo), 0, 0),
                           cada);
                }});
}

std::string Repetir(const std::string& s, int n) {
  std::string r;
  for (int i = 0; i < n; ++i) r += s;
  return r;
}

// What the printer does with the successive sends of one command, and what
// the driver makes of it.
TEST_F(EnlaceHasar, IntentosYSusMarcas) {
  const std::string error = "Error en la comunicacion con impresora|";
  std::string seis_nak;
  for (int i = 1; i <= 6; ++i) seis_nak += "|INTENTO=" + std::to_string(i) + " NAK";
  const CasoIntento casos[] = {
      {"nak y segundo intento con latido",
       {Bytes("\x15"), Luego({Bytes("\x06\x12"), SoloRespuesta()})},
       "|INTENTO=1 NAK|INTENTO=2 ACK DC2", 2},
      {"eco antes del ack", {Luego({Bytes("\xA1"), Contestar()})}, "|INTENTO=1 EST ACK", 1},
      {"nak tras el ack solo se anota", {Luego({Bytes("\x06\x15"), SoloRespuesta()})},
       "|INTENTO=1 ACK ?21", 1},
      {"byte suelto antes del ack", {Luego({Bytes("x"), Contestar()})}, "|INTENTO=1 ?120 ACK", 1},
      {"dc1 se anota como dc2, dc3 y dc4",
       {Luego({Bytes("\x06\x11\x13\x14"), SoloRespuesta()})}, "|INTENTO=1 ACK DC1 DC3 DC4", 1},
      {"bloque erroneo", {BloqueErroneo()}, "|INTENTO=1 ACK BCC-Error|INTENTO=2 ACK", 2},
      {"secuencia distinta", {Respuesta(1, 0)}, "|INTENTO=1 ACK SEQ[32=?33]|INTENTO=2 ACK", 2},
      {"orden distinta", {Respuesta(0, 1)}, "|INTENTO=1 ACK ORD[42=?43]|INTENTO=2 ACK", 2},
      {"buffer lleno", {Respuesta(0, 0, 0x0040)}, "|INTENTO=1 ACK BUF-Lleno|INTENTO=2 ACK", 2},
      {"respuesta a los 5 segundos del ack", {Contestar(0, 0, {}, 500)}, "|INTENTO=1 ACK", 1},
      {"respuesta a los 6 segundos del ack", {Luego({Bytes("\x06"), Bytes("\x02", 600)})},
       "|INTENTO=1 ACK ORD-TimeOut|INTENTO=2 ACK", 2},
      {"dc2 cada 4 segundos durante un minuto", {Latidos("\x12", 400, 6000)},
       "|INTENTO=1 ACK" + Repetir(" DC2", 15), 1},
      {"dc3 no alarga la espera de la respuesta",
       {Luego({Bytes("\x06"), Bytes("\x13", 400), Bytes("\x02", 400)})},
       "|INTENTO=1 ACK DC3 ORD-TimeOut|INTENTO=2 ACK", 2},
      {"31 segundos callada tras el ack", {Bytes("\x06")},
       "|INTENTO=1 ACK PTO-TimeOut 30\"", 1, error + "|INTENTO=1 ACK PTO-TimeOut 30\""},
      {"callada", {Callar()}, "|INTENTO=1 PTO-TimeOut 30\"", 1,
       error + "|INTENTO=1 PTO-TimeOut 30\""},
      {"seis envios como maximo", std::vector<Reaccion>(7, Bytes("\x15")), seis_nak, 6,
       error + "Se reintento 5 veces el ultimo comando|" + seis_nak},
  };
  for (const CasoIntento& c : casos) {
    SCOPED_TRACE(c.nombre);
    fiscal::ElEnlace().SecuenciaComando = 0x1F;
    puerto.escrituras.clear();
    reacciones.assign(c.reacciones.begin(), c.reacciones.end());
    fiscal::EnviarComando('*');
    EXPECT_EQ(c.detalle, Detalle());
    EXPECT_EQ(c.mensaje, LP_ErrorMensaje);
    EXPECT_EQ(c.envios, Tramas().size());
    EXPECT_FALSE(puerto.Pendiente());
    reacciones.clear();
  }
}

TEST_F(EnlaceHasar, EcoYAcusesQueEscribeElDriver) {
  reacciones = {Luego({Bytes("\xA1\xA1"), Contestar()})};
  fiscal::EnviarComando('*');
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  EXPECT_EQ("\xA1\xA1\x06", Sueltos());
}

// However the printer keeps the line busy, one command ends in bounded time.
TEST_F(EnlaceHasar, UnaLineaQueNoCallaNoRetieneLaLlamada) {
  struct Caso {
    const char* nombre;
    Reaccion reaccion;
  };
  const int64_t dos_horas = 2 * 60 * 60 * 100;
  const Caso casos[] = {
      {"dc2 cada segundo durante horas", Latidos("\x12", 100, dos_horas)},
      {"basura sin fin antes del ack", Flujo("x", 10, dos_horas / 6)},
      {"eco pedido sin fin", Flujo("\xA1", 100, dos_horas)},
      {"dc1 sin fin tras el ack", Latidos("\x11", 100, dos_horas)},
      {"respuesta que no termina", Luego({Bytes("\x06\x02"), Flujo("0", 5, dos_horas / 6)})},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    puerto.escrituras.clear();
    reacciones = {c.reaccion};
    const int64_t antes = reloj.centesimas;
    fiscal::EnviarComando('*');
    EXPECT_EQ(1, LP_Error);
    EXPECT_EQ(0, std::string(LP_ErrorMensaje).rfind("Error en la comunicacion con impresora|", 0));
    EXPECT_LE(reloj.centesimas - antes, fiscal::kLimiteComandoCs + 100);
    EXPECT_EQ(1u, Tramas().size());
    EXPECT_LE(Detalle().size(), 1500u);
    Vaciar();
  }
}

TEST_F(EnlaceHasar, ConfirmacionDelOperador) {
  fiscal::Param().LP_MostrarComandos = 1;
  fiscal::ElEnlace().ToleraRechazo = 1;
  fiscal::ElEnlace().ErrorPapelFatal = 1;
  operador.respuestas = {fiscal::Respuesta::No};
  fiscal::EnviarComando('*');
  EXPECT_TRUE(puerto.escrituras.empty());
  EXPECT_EQ(0, LP_Error);
  ASSERT_EQ(1u, operador.cajas.size());
  const CajaVista& q = operador.cajas[0];
  EXPECT_EQ("Envia comando 2Ah ?", q.titulo);
  const std::string trama = "\x02\x20\x2A\x03";
  EXPECT_EQ(trama + SumaBloque(trama), q.texto);
  EXPECT_EQ(fiscal::Icono::Advertencia, q.icono);
  EXPECT_EQ(fiscal::Botones::SiNo, q.botones);
  EXPECT_EQ(fiscal::Respuesta::Si, q.defecto);
  // The marks were for the command that was not sent.
  EXPECT_EQ(0, fiscal::ElEnlace().ToleraRechazo);
  EXPECT_EQ(0, fiscal::ElEnlace().ErrorPapelFatal);

  // Sent after a Yes: the attempts are shown once the answer is in.
  operador.cajas.clear();
  reacciones = {Bytes("\x15")};
  fiscal::EnviarComando('*');
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  ASSERT_EQ(2u, operador.cajas.size());
  EXPECT_EQ("Envia comando 2Ah ?", operador.cajas[0].titulo);
  EXPECT_EQ("Respuesta", operador.cajas[1].titulo);
  EXPECT_EQ("|INTENTO=1 NAK|INTENTO=2 ACK", operador.cajas[1].texto);
  EXPECT_EQ(fiscal::Icono::Informacion, operador.cajas[1].icono);
  EXPECT_EQ(fiscal::Botones::Aceptar, operador.cajas[1].botones);
}

TEST_F(EnlaceHasar, ErrorDePuertoTerminaSinMensajePropio) {
  puerto.error_leer = 5;
  fiscal::EnviarComando('*');
  EXPECT_STREQ("Error al leer el puerto|Codigo=5", LP_ErrorMensaje);
  EXPECT_EQ(1u, puerto.escrituras.size());

  // The echo the printer asks for cannot be written.
  puerto.error_leer = 0;
  Vaciar();
  puerto.escrituras.clear();
  puerto.al_escribir = [this](std::string_view w) {
    if (w[0] == '\x02') puerto.Enviar("\xA1");
    puerto.error_escribir = 6;
  };
  fiscal::EnviarComando('*');
  EXPECT_STREQ("Error al escribir en el puerto|Codigo=6", LP_ErrorMensaje);
  EXPECT_EQ("|INTENTO=1 EST", Detalle());
}

TEST_F(EnlaceHasar, DesbloqueoAcusaCadaByteYAvisaUnaVez) {
  puerto.EnviarYa("abc");
  fiscal::DesbloquearImpresora();
  EXPECT_EQ(0, LP_Error);
  EXPECT_EQ("\x06\x06\x06", Sueltos());
  ASSERT_EQ(1u, operador.cajas.size());
  EXPECT_EQ("Se intenta desbloquear la impresora", operador.cajas[0].texto);
  EXPECT_EQ("AVISO", operador.cajas[0].titulo);
  EXPECT_EQ(fiscal::Icono::Error, operador.cajas[0].icono);

  // A line that never goes quiet is given up after a while.
  operador.cajas.clear();
  for (int i = 0; i < 12000; ++i) puerto.Enviar("z", 10);
  const int64_t antes = reloj.centesimas;
  fiscal::DesbloquearImpresora();
  EXPECT_EQ(0, LP_Error);
  EXPECT_LE(reloj.centesimas - antes, fiscal::kLimiteDesbloqueoCs + 100);
  EXPECT_EQ(1u, operador.cajas.size());
}

}  // namespace
