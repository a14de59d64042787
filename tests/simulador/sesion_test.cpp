// Whole sessions over a pseudo-terminal: a host with its own encoder talks
// to a running simulator, and the journal and the paper roll show what
// happened on the line and on paper.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "anfitrion.h"
#include "opciones.h"
#include "simulador.h"

namespace {

using prueba::Anfitrion;
using prueba::Comando;
using prueba::Leida;
using simulador::Evento;

class Sesion : public ::testing::Test {
 protected:
  void Arrancar(simulador::Protocolo p, const std::string& ordenes = "") {
    simulador::Configuracion c;
    c.protocolo = p;
    c.modelo.escala_trabajo = 0;
    c.espera_ack_ms = 200;
    std::string error;
    ASSERT_TRUE(simulador::LeerLineaDeOrdenes(Partir(ordenes), c, error)) << error;
    sim = std::make_unique<simulador::Simulador>(c);
    ASSERT_TRUE(sim->Iniciar(error)) << error;
    host = std::make_unique<Anfitrion>(sim->Ruta());
    ASSERT_TRUE(host->Abierto());
  }
  static std::vector<std::string> Partir(const std::string& s) {
    std::vector<std::string> r;
    std::string p;
    for (char c : s) {
      if (c == ' ') {
        if (!p.empty()) r.push_back(p);
        p.clear();
      } else {
        p += c;
      }
    }
    if (!p.empty()) r.push_back(p);
    return r;
  }
  // Epson: one command, its answer.
  Leida Epson(unsigned char seq, unsigned char codigo, const std::vector<std::string>& campos) {
    host->Escribir(Comando(seq, codigo, campos));
    return host->Leer();
  }
  // Hasar: one command, ACK, its answer, and the host's ACK.
  Leida Hasar(unsigned char seq, unsigned char codigo, const std::vector<std::string>& campos,
              bool esc = false) {
    host->Escribir(Comando(seq, codigo, campos, esc));
    Leida r = host->Leer(3000, esc);
    if (r.completa()) host->Escribir("\x06");
    return r;
  }
  std::vector<Evento> Eventos(const std::string& dir, const std::string& tipo) {
    std::vector<Evento> r;
    for (const auto& e : sim->diario().Eventos())
      if (e.dir == dir && e.tipo == tipo) r.push_back(e);
    return r;
  }
  std::string Papel() {
    std::string r;
    for (const auto& l : sim->impresora().Rollo()) r += l + "\n";
    return r;
  }

  std::unique_ptr<simulador::Simulador> sim;
  std::unique_ptr<Anfitrion> host;
};

TEST_F(Sesion, TicketEpsonDeDosArticulosQuedaEnDiarioYPapel) {
  Arrancar(simulador::Protocolo::Epson, "--serial S-42");
  Leida n = Epson(0x21, '*', {"N"});
  ASSERT_TRUE(n.completa());
  EXPECT_EQ(0x21, n.seq);
  EXPECT_EQ('*', n.codigo);
  EXPECT_EQ("S-42", n.Campo(7));
  EXPECT_EQ("0000", n.Estado(0));
  EXPECT_EQ("0600", n.Estado(1));

  EXPECT_EQ("1600", Epson(0x22, 0x40, {"C"}).Estado(1));
  for (unsigned char s : {0x23, 0x24})
    ASSERT_EQ("1600", Epson(s, 'B', {s == 0x23 ? "Yerba" : "Azucar", "00001000", "000000500",
                                     "2100", "M", "00000", "00000000", "00000000000000000"})
                          .Estado(1));
  EXPECT_EQ("000000001000", Epson(0x25, 'C', {"A", "\x7F"}).Campo(3));
  ASSERT_TRUE(Epson(0x26, 'D', {"Efectivo", "000001000", "T"}).completa());
  Leida cierre = Epson(0x27, 'E', {"T"});
  EXPECT_EQ("0600", cierre.Estado(1));
  EXPECT_EQ("1", cierre.Campo(1));

  // The journal holds each frame received and each answer, decoded.
  auto rx = Eventos("rx", "trama");
  auto tx = Eventos("tx", "respuesta");
  ASSERT_EQ(7u, rx.size());
  ASSERT_EQ(7u, tx.size());
  EXPECT_EQ('B', rx[2].codigo);
  EXPECT_EQ("Yerba", rx[2].campos.at(0));
  EXPECT_EQ('E', tx[6].codigo);
  EXPECT_EQ(std::vector<std::string>{"1"}, tx[6].campos);
  EXPECT_EQ(0x0600, tx[6].fiscal);
  EXPECT_EQ("02 21 2A 1C 4E 03", rx[0].bytes.empty() ? "" : simulador::Hexa(rx[0].bytes).substr(0, 17));
  std::string json = simulador::Diario::Json(tx[6]);
  EXPECT_NE(std::string::npos, json.find("\"dir\":\"tx\",\"tipo\":\"respuesta\""));
  EXPECT_NE(std::string::npos, json.find("\"cmd\":\"45\""));

  std::string papel = Papel();
  EXPECT_NE(std::string::npos, papel.find("Yerba (21.00)"));
  EXPECT_NE(std::string::npos, papel.find("Azucar (21.00)"));
  EXPECT_NE(std::string::npos, papel.find("TOTAL                              10.00"));
  EXPECT_NE(std::string::npos, papel.find("Comprobante Nro. 00000001"));
}

TEST_F(Sesion, RollosYDiarioEnArchivo) {
  std::string base = ::testing::TempDir() + "sim-" + std::to_string(getpid());
  Arrancar(simulador::Protocolo::Epson, "--journal " + base + ".jsonl --roll " + base + ".txt");
  Epson(0x21, 'H', {});
  Epson(0x22, 'I', {"Hola papel"});
  EXPECT_EQ("1", Epson(0x23, 'J', {"T"}).Campo(1));
  sim->Detener();
  std::ifstream d(base + ".jsonl"), r(base + ".txt");
  std::string diario((std::istreambuf_iterator<char>(d)), {}), rollo((std::istreambuf_iterator<char>(r)), {});
  EXPECT_NE(std::string::npos, diario.find("\"campos\":[\"Hola papel\"]"));
  EXPECT_NE(std::string::npos, rollo.find("Hola papel\n"));
  std::remove((base + ".jsonl").c_str());
  std::remove((base + ".txt").c_str());
}

TEST_F(Sesion, EpsonResponde_NakASumaErroneaYRepiteSinEjecutar) {
  Arrancar(simulador::Protocolo::Epson);
  std::string mala = Comando(0x21, 0x40, {"C"});
  mala.back() = mala.back() == '0' ? '1' : '0';
  host->Escribir(mala);
  EXPECT_EQ("\x15", host->Leer().previos);
  ASSERT_EQ("1600", Epson(0x21, 0x40, {"C"}).Estado(1));
  Leida item = Epson(0x22, 'B', {"Vino", "00001000", "000001000", "2100", "M", "00000",
                                 "00000000", "00000000000000000"});
  // The answer was lost: the host sends the same frame again.
  Leida otra = Epson(0x22, 'B', {"Vino", "00001000", "000001000", "2100", "M", "00000",
                                 "00000000", "00000000000000000"});
  EXPECT_EQ(item.trama, otra.trama);
  EXPECT_EQ("000000001000", Epson(0x23, 'C', {"A", "\x7F"}).Campo(3));  // sold once
  EXPECT_EQ(1u, [&] {
    size_t n = 0;
    for (const auto& e : Eventos("tx", "respuesta")) n += e.nota.find("repetida") != std::string::npos;
    return n;
  }());
}

TEST_F(Sesion, FallasDeLaRespuesta) {
  struct Caso {
    const char* orden;
    std::function<void(const Leida&)> ver;
  } casos[] = {
      {"nak 1", [](const Leida& l) { EXPECT_EQ("\x15", l.previos); }},
      {"bad-seq 1", [](const Leida& l) { EXPECT_NE(0x30, l.seq); }},
      {"bad-cmd 1", [](const Leida& l) { EXPECT_NE('*', l.codigo); }},
      {"buffer-full 1", [](const Leida& l) { EXPECT_EQ("0040", l.Estado(0)); }},
      {"garbage 41425A", [](const Leida& l) { EXPECT_EQ("ABZ", l.previos); }},
      {"keepalives 0.05,0.2", [](const Leida& l) {
         EXPECT_GE(l.previos.size(), 2u);
         EXPECT_EQ(std::string(l.previos.size(), '\x12'), l.previos);
       }},
      {"bad-bcc 1", [](const Leida& l) {
         std::string d = l.trama.substr(0, l.trama.size() - 4);
         unsigned s = 0;
         for (unsigned char c : d) s += c;
         char bcc[8];
         std::snprintf(bcc, sizeof bcc, "%04X", s & 0xFFFF);
         EXPECT_NE(bcc, l.trama.substr(l.trama.size() - 4));
       }},
  };
  Arrancar(simulador::Protocolo::Epson);
  unsigned char seq = 0x30;
  for (const auto& c : casos) {
    std::string error;
    ASSERT_TRUE(simulador::AplicarOrden(*sim, c.orden, error)) << error;
    sim->OlvidarUltimaRespuesta();
    SCOPED_TRACE(c.orden);
    c.ver(Epson(seq, '*', {"N"}));
    // The fault is spent: the next answer is clean.
    Leida limpia = Epson(++seq, '*', {"N"});
    EXPECT_EQ("", limpia.previos);
    EXPECT_EQ(seq, limpia.seq);
    EXPECT_EQ("0000", limpia.Estado(0));
    ++seq;
  }
}

TEST_F(Sesion, SilencioCorteYEstadoForzado) {
  Arrancar(simulador::Protocolo::Epson, "--set-printer-bits 1000 --silence 0.3");
  host->Escribir(Comando(0x21, '*', {"N"}));
  EXPECT_FALSE(host->Leer(200).completa());
  host->Escribir(Comando(0x21, '*', {"N"}));  // still silent: ignored
  EXPECT_FALSE(host->Leer(50).completa());
  host->Drenar(200);
  Leida l = Epson(0x21, '*', {"N"});
  EXPECT_EQ("1000", l.Estado(0));  // drawer open, forced
  std::string e;
  ASSERT_TRUE(simulador::AplicarOrden(*sim, "cut", e));
  host->Escribir(Comando(0x22, '*', {"N"}));
  EXPECT_FALSE(host->Leer(300).completa());
}

TEST_F(Sesion, HasarConAcuseEscYReenvioSinAck) {
  Arrancar(simulador::Protocolo::Hasar, "--a1 --serial H-7");
  Leida s = Hasar(0x20, 's', {});
  EXPECT_EQ("\xA1\x06", s.previos);
  EXPECT_EQ("H-7", s.Campo(3));
  host->Escribir("\xA1");  // the host echoes 0xA1: no harm

  // Form mode: ESC before the code, in the answer too.
  Leida f = Hasar(0x21, 0x7F, {}, true);
  ASSERT_TRUE(f.completa());
  EXPECT_EQ('\x1b', f.trama[2]);
  EXPECT_EQ(0x7F, f.codigo);

  // Without the host's ACK the answer comes again.
  host->Escribir(Comando(0x22, '*', {}));
  Leida primera = host->Leer();
  Leida segunda = host->Leer(1000);
  ASSERT_TRUE(segunda.completa());
  EXPECT_EQ(primera.trama, segunda.trama);
  host->Escribir("\x06");
  host->Drenar(300);
  EXPECT_EQ(1u, Eventos("rx", "trama").size() - 2);
}

TEST_F(Sesion, HasarTicketCompletoConTrabajoLargo) {
  Arrancar(simulador::Protocolo::Hasar);
  std::string e;
  ASSERT_TRUE(simulador::AplicarOrden(*sim, "work-scale 0.2", e)) << e;
  ASSERT_TRUE(Hasar(0x20, 0x40, {"T", "T"}).completa());
  ASSERT_EQ("1600", Hasar(0x21, 'B', {"Pan", "1.0", "100.00", "21.00", "M", "0.0", "1", "T"})
                        .Estado(1));
  Leida cierre = Hasar(0x22, 'E', {});
  EXPECT_EQ("1", cierre.Campo(1));
  // ACK first, then keep-alives while it closes.
  ASSERT_GE(cierre.previos.size(), 2u);
  EXPECT_EQ('\x06', cierre.previos[0]);
  EXPECT_EQ('\x12', cierre.previos[1]);
  Leida mala = Hasar(0x23, 0xF5, {});
  EXPECT_EQ("8608", mala.Estado(1));  // unknown command, summary bit
}

TEST(Opciones, LineaDeOrdenes) {
  simulador::Configuracion c;
  std::string e;
  ASSERT_TRUE(simulador::LeerLineaDeOrdenes(
      {"--protocol", "hasar", "--unknown", "73,93", "--nak=2", "--paper", "out", "--z-due",
       "--pending", "06 06", "--keepalives", "1,4"},
      c, e))
      << e;
  EXPECT_EQ(simulador::Protocolo::Hasar, c.protocolo);
  EXPECT_EQ((std::set<uint8_t>{0x73, 0x93}), c.modelo.desconocidos);
  EXPECT_EQ(2, c.fallas.nak);
  EXPECT_EQ(simulador::Papel::Sin, c.condiciones.papel);
  EXPECT_TRUE(c.modelo.cierre_z_pendiente);
  EXPECT_EQ("\x06\x06", c.pendiente);
  EXPECT_EQ(4.0, c.fallas.espera_durante);
  for (auto malos : std::vector<std::vector<std::string>>{
           {"--protocol", "ibm"}, {"--nak"}, {"--bogus"}, {"--garbage", "0"}, {"nak"}}) {
    simulador::Configuracion d;
    EXPECT_FALSE(simulador::LeerLineaDeOrdenes(malos, d, e)) << malos[0];
  }
}

}  // namespace
