#include "trama.h"

#include "texto.h"

namespace fiscal {

std::string CalcularBCC(std::string_view texto) {
  size_t inicio = texto.find(STX);
  if (inicio == std::string_view::npos) return "XXXX";
  size_t fin = texto.find(ETX, inicio);
  if (fin == std::string_view::npos) return "XXXX";
  unsigned suma = 0;
  for (size_t i = inicio; i <= fin; ++i) suma += static_cast<unsigned char>(texto[i]);
  return HexaDeByte(suma >> 8) + HexaDeByte(suma);
}

namespace {

// The accented letters and what they become when accents are not allowed.
struct Acento {
  unsigned char letra;
  char vocal;
};
constexpr Acento kAcentos[] = {
    {0xE1, 'a'}, {0xE9, 'e'}, {0xED, 'i'}, {0xF3, 'o'}, {0xFA, 'u'}, {0xC1, 'A'}, {0xC9, 'E'},
    {0xCD, 'I'}, {0xD3, 'O'}, {0xDA, 'U'}, {0xF1, '#'}, {0xD1, '#'}, {0xFC, 'u'}, {0xDC, 'U'},
};

constexpr size_t kMaximoCampo = 200;

}  // namespace

std::string NormalizarCampo(std::string_view texto, bool permitir_acentos, ReglaDieresis regla) {
  texto = SinBlancosFinales(texto).substr(0, kMaximoCampo);
  std::string r;
  r.reserve(texto.size());
  for (char c : texto) {
    unsigned char b = static_cast<unsigned char>(c);
    if (b < 0x20) {
      r += '/';
    } else if (b <= 0x7F) {
      r += c;
    } else {
      char sale = '_';
      for (const Acento& a : kAcentos) {
        if (a.letra != b) continue;
        bool dieresis = b == 0xFC || b == 0xDC;
        if (permitir_acentos)
          sale = c;
        else if (dieresis && regla == ReglaDieresis::Numeral)
          sale = '#';
        else
          sale = a.vocal;
      }
      r += sale;
    }
  }
  return r;
}

namespace {
void AgregarBits(std::string& t, uint16_t palabra) {
  for (int bit = 15; bit >= 0; --bit) {
    t += (palabra >> bit) & 1 ? '1' : '0';
    if (bit == 12 || bit == 8 || bit == 4) t += '.';
  }
}
}  // namespace

std::string TextoEstado(uint16_t impresora, uint16_t fiscal) {
  std::string t = "I :";
  AgregarBits(t, impresora);
  t += "|F:";
  AgregarBits(t, fiscal);
  return t;
}

std::string ArmarTrama(uint8_t secuencia, uint8_t codigo, std::span<const std::string_view> campos,
                       const OpcionesTrama& o) {
  std::string t;
  t += STX;
  t += static_cast<char>(secuencia);
  if (o.esc) t += ESC;
  t += static_cast<char>(codigo);
  for (std::string_view campo : campos) {
    t.resize(SinBlancosFinales(t).size());
    t += FS;
    if (o.normalizar)
      t += NormalizarCampo(campo, o.permitir_acentos, o.dieresis);
    else
      t += campo;
  }
  t.resize(SinBlancosFinales(t).size());
  t += ETX;
  t += CalcularBCC(t);
  return t;
}

void ColectorRespuesta::Iniciar() {
  trama_.clear();
  estado_impresora_.clear();
  estado_fiscal_.clear();
  bcc_.clear();
  for (auto& c : campos_) c.clear();
  campo_ = -1;
  en_bcc_ = false;
}

bool ColectorRespuesta::Tomar(char b) {
  if (trama_.size() < kMaximo) trama_ += b;
  if (trama_.size() == 1) return false;  // the STX
  if (en_bcc_) {
    bcc_ += b;
    return bcc_.size() == 4;
  }
  if (b == ETX) {
    en_bcc_ = true;
  } else if (b == FS) {
    ++campo_;
  } else if (campo_ == 0) {
    if (estado_impresora_.size() < 4) estado_impresora_ += b;
  } else if (campo_ == 1) {
    if (estado_fiscal_.size() < 4) estado_fiscal_ += b;
  } else if (campo_ >= 2 && campo_ - 2 < kCampos) {
    std::string& c = campos_[campo_ - 2];
    if (c.size() < kAnchoCampo) c += b;
  }
  return false;
}

uint8_t ColectorRespuesta::Byte(size_t n) const {
  return n >= 1 && n <= trama_.size() ? static_cast<uint8_t>(trama_[n - 1]) : 0;
}

// Status texts are four hexadecimal digits; any other character counts
// as a zero digit.
uint16_t ColectorRespuesta::LeerHexa(std::string_view t) {
  uint16_t v = 0;
  for (char c : t) {
    int d = (c >= '0' && c <= '9')   ? c - '0'
            : (c >= 'A' && c <= 'F') ? c - 'A' + 10
            : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                     : 0;
    v = static_cast<uint16_t>(v * 16 + d);
  }
  return v;
}

}  // namespace fiscal
