// Frame building and the text routines of the link layer, shared by both
// printer protocols.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace fiscal {

constexpr char STX = 0x02, ETX = 0x03, ACK = 0x06, DC1 = 0x11, DC2 = 0x12, DC3 = 0x13,
               DC4 = 0x14, NAK = 0x15, ESC = 0x1B, FS = 0x1C, DEL = 0x7F;

// Four uppercase hexadecimal digits of the byte sum from the first STX to
// the first ETX, both included; "XXXX" when either is missing.
std::string CalcularBCC(std::string_view texto);

// How accented letters are made printable: Epson keeps the vowel of ü/Ü,
// Hasar writes "#" as it does for ñ/Ñ.
enum class ReglaDieresis { Vocal, Numeral };

// The text without trailing blanks, made printable, at most 200 bytes.
std::string NormalizarCampo(std::string_view texto, bool permitir_acentos, ReglaDieresis regla);

// "I :" and the 16 bits of the printer status, "|F:" and those of the
// fiscal status, with a dot after bits 12, 8 and 4.
std::string TextoEstado(uint16_t impresora, uint16_t fiscal);

struct OpcionesTrama {
  bool normalizar = true;
  bool permitir_acentos = false;
  ReglaDieresis dieresis = ReglaDieresis::Vocal;
  bool esc = false;  // ESC before the command code (Hasar forms)
};

// STX, sequence, [ESC], code, FS and each field, ETX and the block check.
// Trailing blanks of the fields never go out; a blank field is a lone FS.
std::string ArmarTrama(uint8_t secuencia, uint8_t codigo, std::span<const std::string_view> campos,
                       const OpcionesTrama& opciones);

// Collects an answer frame byte by byte, from its STX to the fourth
// block-check character: the two status texts after the first two FS, then
// up to 25 return fields of at most 250 characters.
class ColectorRespuesta {
 public:
  static constexpr size_t kMaximo = 2000;
  static constexpr int kCampos = 25;
  static constexpr size_t kAnchoCampo = 250;

  ColectorRespuesta() { trama_.reserve(kMaximo); }
  void Iniciar();
  bool Iniciado() const { return !trama_.empty(); }
  // Takes the STX that opens the frame, then every byte after it; true
  // once the frame is complete.
  bool Tomar(char b);

  const std::string& Trama() const { return trama_; }
  std::string_view Bcc() const { return bcc_; }
  // Byte n of the frame (1 is the STX), 0 when the frame is shorter.
  uint8_t Byte(size_t n) const;
  uint16_t EstadoImpresora() const { return LeerHexa(estado_impresora_); }
  uint16_t EstadoFiscal() const { return LeerHexa(estado_fiscal_); }
  std::string_view Campo(int n) const { return campos_[n - 1]; }  // 1-based

 private:
  static uint16_t LeerHexa(std::string_view t);
  std::string trama_, estado_impresora_, estado_fiscal_, bcc_;
  std::array<std::string, kCampos> campos_;
  int campo_ = -1;  // -1 before the first FS; 0 and 1 the status texts; then fields
  bool en_bcc_ = false;
};

}  // namespace fiscal
