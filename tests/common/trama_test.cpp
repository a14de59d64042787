// Frame building and the text routines of the link layer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/trama.h"

namespace {

using fiscal::ReglaDieresis;

TEST(Trama, NormalizarCampo) {
  struct Caso {
    std::string entrada;
    bool acentos;
    ReglaDieresis regla;
    std::string salida;
  };
  const Caso casos[] = {
      {"A\xF1o", false, ReglaDieresis::Vocal, "A#o"},
      {"A\xF1o", true, ReglaDieresis::Vocal, "A\xF1o"},
      {"\xE1\xE9\xED\xF3\xFA\xC1\xC9\xCD\xD3\xDA", false, ReglaDieresis::Vocal, "aeiouAEIOU"},
      {"ping\xFCino \xDC", false, ReglaDieresis::Vocal, "pinguino U"},
      {"ping\xFCino \xDC", false, ReglaDieresis::Numeral, "ping#ino #"},
      {"ping\xFCino", true, ReglaDieresis::Numeral, "ping\xFCino"},
      {"20\xB0 C", true, ReglaDieresis::Vocal, "20_ C"},
      {"a\tb\x02", false, ReglaDieresis::Vocal, "a/b/"},
      {"  lleva   ", false, ReglaDieresis::Vocal, "  lleva"},
      {std::string(250, 'x'), false, ReglaDieresis::Vocal, std::string(200, 'x')},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(c.salida, fiscal::NormalizarCampo(c.entrada, c.acentos, c.regla)) << c.entrada;
  }
}

TEST(Trama, CalcularBCC) {
  EXPECT_EQ("006E", fiscal::CalcularBCC("\x02\x21\x48\x03"));
  EXPECT_EQ("XXXX", fiscal::CalcularBCC("\x21\x48\x03"));
  EXPECT_EQ("XXXX", fiscal::CalcularBCC("\x02\x21\x48"));
  // Bytes outside STX..ETX do not count; high bytes count as 0..255.
  EXPECT_EQ("0105", fiscal::CalcularBCC("zz\x02\xFF\x01\x03" "0000"));
}

TEST(Trama, TextoEstado) {
  EXPECT_EQ("I :1000.0000.0000.0001|F:0000.0110.0000.0000", fiscal::TextoEstado(0x8001, 0x0600));
}

TEST(Trama, ArmarTrama) {
  const std::vector<std::string_view> campos = {"   ", "Caf\xE9  ", std::string_view("\xE9", 1)};
  fiscal::OpcionesTrama o;
  std::string t = fiscal::ArmarTrama(0x21, 'B', campos, o);
  std::string datos = std::string("\x02\x21" "B\x1c\x1c" "Cafe\x1c" "e\x03");
  EXPECT_EQ(datos + fiscal::CalcularBCC(datos), t);
  // Without normalising the field goes out as given (trailing blanks aside).
  o.normalizar = false;
  o.esc = true;
  t = fiscal::ArmarTrama(0x20, 0x2A, campos, o);
  datos = std::string("\x02\x20\x1b\x2a\x1c\x1c" "Caf\xE9\x1c\xE9\x03");
  EXPECT_EQ(datos + fiscal::CalcularBCC(datos), t);
}

}  // namespace
