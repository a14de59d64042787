// What the Epson order files share: the document mode, field preparation,
// the marked sends, the trailer lines and the handlers of the order table.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "../common/driver.h"

namespace fiscal {

// A field of this single byte carries no value.
inline constexpr std::string_view kDEL = "\x7F";

// Ticket mode ("TQ": commands 40h, A to E); any other document type uses
// the invoice commands (60h, b to f).
bool ModoTicket();

// The text cut to `ancho` characters (none when negative), trailing blanks
// removed; with `del_si_blanco`, DEL when nothing is left.
std::string Cortado(std::string_view texto, int ancho, bool del_si_blanco = false);

// A command that prints: printer and paper faults stop the order.
void EnviarImpreso(uint8_t codigo, std::initializer_list<std::string_view> campos = {});
// A command the printer may refuse without error; ComandoAceptado tells.
void EnviarTolerado(uint8_t codigo, std::initializer_list<std::string_view> campos = {});

// Title lines 11 to 13 (the trailer of the documents the printer closes):
// each text, or DEL when blank, under tolerance; the order goes on
// whatever the answers.
void GrabarLineasPie(const std::array<std::string, 3>& textos);

// Return field n of the last answer read as a whole number, held within
// the range of the exported document number.
int32_t NumeroDevuelto(int n);

// Sends the subtotal command ("C" or "c") and leaves its totals in the
// LP_Ultimo* amounts.
void PedirSubtotal(uint8_t codigo, std::string_view marca, std::string_view texto);

// The progress window "Imprimiendo", shown while the object lives; each
// Avanzar is one of `total` steps done.
class VentanaProgreso {
 public:
  explicit VentanaProgreso(int total = 0);
  ~VentanaProgreso();
  VentanaProgreso(const VentanaProgreso&) = delete;
  VentanaProgreso& operator=(const VentanaProgreso&) = delete;
  void Avanzar();

 private:
  int hechos_ = 0;
  int total_;
};

// Labels the answer of an information order, lists it in LP_Resultado and
// shows it once when LP_ResultadoMostrar is set. Does nothing after a
// failed command.
void MostrarRespuesta(int16_t orden);

// Sets the printer for a loose sheet and waits until it is in; an error
// leaves LP_Error set.
void EsperarHojaSuelta();

// The X or Z closing of `orden` (206 or 207).
void CierreDiario(char letra, int16_t orden);

// Order handlers.
void AbrirComprobante(Argumentos& a);     // 216
void ImprimirItem(Argumentos& a);         // 218
void OrdenSubtotal(Argumentos& a);        // 219
void ImprimirImpuesto(Argumentos& a);     // 220
void ImprimirAjuste(Argumentos& a);       // 221
void ImprimirPago(Argumentos& a);         // 222
void CancelarComprobante(Argumentos& a);  // 223
void CerrarComprobante(Argumentos& a);    // 224
void AbrirNoFiscal(Argumentos& a);        // 225
void TextoNoFiscal(Argumentos& a);        // 226
void CerrarNoFiscal(Argumentos& a);       // 227
void CierreX(Argumentos& a);              // 206
void CierreZ(Argumentos& a);              // 207
void InformePorFechas(Argumentos& a);     // 208
void InformePorCierres(Argumentos& a);    // 209
void MostrarReloj(Argumentos& a);         // 213
void LeerReloj(Argumentos& a);            // 231

}  // namespace fiscal
