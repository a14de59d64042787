// The printer's side of the frame format shared by both protocols:
// STX, sequence, [ESC], command code, {FS field}, ETX and four uppercase
// hexadecimal digits of the byte sum from STX to ETX. Written apart from
// the drivers' own framing so that a fault on one side is not mirrored on
// the other.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace simulador {

inline constexpr uint8_t kSTX = 0x02, kETX = 0x03, kACK = 0x06, kDC1 = 0x11, kDC2 = 0x12,
                         kDC3 = 0x13, kDC4 = 0x14, kNAK = 0x15, kESC = 0x1B, kFS = 0x1C,
                         kDEL = 0x7F;

// Longest frame taken from the host; a longer one is dropped.
inline constexpr size_t kLargoMaximoTrama = 2048;

// The four hexadecimal digits of the low 16 bits of the byte sum.
std::string SumaBloque(std::string_view bytes);

struct Trama {
  uint8_t secuencia = 0;
  bool esc = false;  // ESC before the command code (Hasar forms)
  uint8_t codigo = 0;
  std::vector<std::string> campos;
};

// Answer frame: STX, sequence, [ESC], code, FS and both status words as
// four hexadecimal digits, FS and each return field, ETX, block check.
std::string ArmarRespuesta(uint8_t secuencia, bool esc, uint8_t codigo, uint16_t estado_impresora,
                           uint16_t estado_fiscal, const std::vector<std::string>& campos);

// What the decoder makes of the bytes from the host.
struct Recibido {
  enum class Tipo {
    Trama,      // a whole frame with a good block check
    TramaMala,  // a whole frame with a wrong block check or a broken shape
    Suelto,     // a byte outside any frame (ACK, 0xA1, noise)
    Descarte    // a frame cut short by a new STX or too long
  };
  Tipo tipo = Tipo::Suelto;
  std::string bytes;  // every byte this event covers
  Trama trama;        // for Trama (and TramaMala when its shape could be read)
  std::string motivo; // for TramaMala and Descarte
};

// Takes the host's bytes one at a time and reports each whole frame and
// each byte outside frames. A new STX in the middle of a frame abandons the
// old one, so a resend after a lost byte is never glued to its remains.
class Decodificador {
 public:
  std::optional<Recibido> Empujar(uint8_t b);
  bool EnTrama() const { return fase_ != Fase::Fuera; }
  void Reiniciar() { fase_ = Fase::Fuera; buffer_.clear(); }

 private:
  enum class Fase { Fuera, Datos, Suma };
  Fase fase_ = Fase::Fuera;
  std::string buffer_;
  int digitos_suma_ = 0;
};

// Splits a frame whose data part runs from STX to ETX; false when its
// shape is broken (no code, text before the first FS).
bool LeerTrama(std::string_view bytes, Trama& trama, std::string& motivo);

// Byte text as uppercase hexadecimal pairs separated by blanks.
std::string Hexa(std::string_view bytes);

}  // namespace simulador
