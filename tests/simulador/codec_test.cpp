// The simulator's framing: block check, answer shape, and how the decoder
// splits the host's bytes into frames, stray bytes and broken frames.
#include <gtest/gtest.h>

#include "anfitrion.h"
#include "codec.h"

namespace {

using simulador::Decodificador;
using simulador::Recibido;

std::vector<Recibido> Decodificar(const std::string& bytes) {
  Decodificador d;
  std::vector<Recibido> r;
  for (unsigned char b : bytes)
    if (auto e = d.Empujar(b)) r.push_back(*e);
  return r;
}

TEST(Codec, SumaDeBloqueDeUnaTramaSinCampos) {
  EXPECT_EQ("006E", simulador::SumaBloque(std::string("\x02\x21\x48\x03", 4)));
  EXPECT_EQ(prueba::Comando(0x21, 0x48, {}), std::string("\x02\x21\x48\x03") + "006E");
}

TEST(Codec, RespuestaLlevaSecuenciaCodigoEstadosYCampos) {
  std::string r = simulador::ArmarRespuesta(0x21, false, '*', 0x8001, 0x0600, {"12", ""});
  std::string datos = "\x02\x21*\x1c" "8001\x1c" "0600\x1c" "12\x1c\x03";
  EXPECT_EQ(datos + simulador::SumaBloque(datos), r);
  // With ESC (Hasar forms) the code is the fourth byte and the check covers the ESC.
  std::string f = simulador::ArmarRespuesta(0x20, true, '*', 0, 0, {});
  EXPECT_EQ('\x1b', f[2]);
  EXPECT_EQ('*', f[3]);
  EXPECT_EQ(simulador::SumaBloque(f.substr(0, f.size() - 4)), f.substr(f.size() - 4));
}

TEST(Codec, TramaBuenaConCamposVaciosYEsc) {
  auto r = Decodificar(prueba::Comando(0x22, 'B', {"Coca", "", "X"}, true));
  ASSERT_EQ(1u, r.size());
  EXPECT_EQ(Recibido::Tipo::Trama, r[0].tipo);
  EXPECT_TRUE(r[0].trama.esc);
  EXPECT_EQ('B', r[0].trama.codigo);
  EXPECT_EQ((std::vector<std::string>{"Coca", "", "X"}), r[0].trama.campos);
}

TEST(Codec, BytesAntesDelStxSonSueltosYNoEstorban) {
  auto r = Decodificar("\x06\x12zz" + prueba::Comando(0x21, '*', {"N"}));
  ASSERT_EQ(5u, r.size());
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Recibido::Tipo::Suelto, r[i].tipo);
  EXPECT_EQ(Recibido::Tipo::Trama, r[4].tipo);
  EXPECT_EQ(std::vector<std::string>{"N"}, r[4].trama.campos);
}

TEST(Codec, TramasDefectuosas) {
  std::string buena = prueba::Comando(0x21, '*', {"N"});
  struct Caso {
    const char* nombre;
    std::string bytes;
    Recibido::Tipo tipo;
  } casos[] = {
      {"suma cambiada", buena.substr(0, buena.size() - 1) + (buena.back() == '0' ? "1" : "0"),
       Recibido::Tipo::TramaMala},
      {"suma en minusculas", std::string("\x02\x21\x48\x03") + "006e", Recibido::Tipo::TramaMala},
      {"texto antes del primer FS",
       [] {
         std::string d = "\x02\x21*N\x03";
         return d + simulador::SumaBloque(d);
       }(),
       Recibido::Tipo::TramaMala},
      {"STX a mitad de trama", std::string("\x02\x21*\x1cN"), Recibido::Tipo::Descarte},
  };
  for (const auto& c : casos) {
    auto r = Decodificar(c.bytes + buena);
    ASSERT_EQ(2u, r.size()) << c.nombre;
    EXPECT_EQ(c.tipo, r[0].tipo) << c.nombre;
    // The good frame after it is read whole.
    EXPECT_EQ(Recibido::Tipo::Trama, r[1].tipo) << c.nombre;
  }
}

TEST(Codec, TramaDemasiadoLargaSeDescarta) {
  std::string larga = "\x02\x21*\x1c" + std::string(simulador::kLargoMaximoTrama, 'A');
  auto r = Decodificar(larga + prueba::Comando(0x22, '*', {}));
  ASSERT_GE(r.size(), 2u);
  EXPECT_EQ(Recibido::Tipo::Descarte, r.front().tipo);
  EXPECT_EQ(Recibido::Tipo::Trama, r.back().tipo);
}

}  // namespace
