// What the Hasar orders share: their entry points, the marks of one
// command, the title lines they write and the document mode.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "../common/driver.h"

namespace fiscal {

// Orders of a document: opening, lines, subtotal, close and cancel.
void AbrirComprobanteHasar(Argumentos& a);
void ImprimirItemHasar(Argumentos& a);
void ImprimirSubtotalHasar(Argumentos& a);
void ImprimirPercepcionHasar(Argumentos& a);
void ImprimirAjusteHasar(Argumentos& a);
void ImprimirPagoHasar(Argumentos& a);
void CancelarComprobanteHasar(Argumentos& a);
void CerrarComprobanteHasar(Argumentos& a);

// Daily closings (X, Z) and the fiscal memory reports by dates and by
// closing numbers.
void CierreDiarioHasar(char letra);
void CierreXHasar(Argumentos& a);
void CierreZHasar(Argumentos& a);
void InformeFechasHasar(Argumentos& a);
void InformeCierresHasar(Argumentos& a);

// Captions the answer of an information order (201 to 207, 213), leaves
// it in LP_Resultado and shows it while LP_ResultadoMostrar is set. After a
// failed command it does nothing.
void MostrarRespuestaHasar(int16_t orden);

// The marks of exactly one command.
struct Marcas {
  bool tolera = false;  // a refusal is no error; ComandoAceptado tells
  bool papel = false;   // a printing command: printer faults are errors
};
constexpr Marcas kImprime{.papel = true};
constexpr Marcas kTolera{.tolera = true};

// Sends one command with exactly these marks (none left from before).
void EnviarHasar(uint8_t codigo, std::initializer_list<std::string_view> campos, Marcas m = {});

// An information order: its command without fields, then the answer.
template <int16_t kOrden, uint8_t kComando>
void ConsultarHasar(Argumentos&) {
  EnviarHasar(kComando, {});
  MostrarRespuestaHasar(kOrden);
}

// The field that tells the printer it carries no value.
inline constexpr std::string_view kSinValor{"\x7F"};

// The first `ancho` characters of an argument (trailing blanks never go out).
inline std::string_view Cortado(std::string_view texto, int ancho) {
  return texto.substr(0, ancho > 0 ? static_cast<size_t>(ancho) : 0);
}

// Title line `linea` ("]"): the text, or DEL (erased) when it is blank.
void GrabarTituloHasar(int linea, std::string_view texto, Marcas m = {});
// Trailer lines 11 to 13 from arguments 1 to 3 cut to `ancho`, refusals
// tolerated; with `borrar` all three are erased instead.
void GrabarPieHasar(const Argumentos& a, int ancho, bool borrar = false);

// Ticket printer mode: every document opened is a ticket.
bool ModoTicket();
// Invoices on forms.
bool ModoFormulario();
// The kind of the open document as the lines and the close must treat it:
// TipoDocumento, except that a ticket printer opened a ticket whatever
// kind was asked for.
char TipoAbierto();

}  // namespace fiscal
