// The Hasar exchange: the frame is acknowledged by the printer, which may
// keep the line alive while it works, then answers; the driver
// acknowledges the answer in turn.
#pragma once

#include <cstdint>
#include <string_view>

namespace fiscal {

enum class Resultado { kValida = 0, kReenviar = 1, kAbandonar = 2 };

// The byte the printer sends before its ACK to ask for an echo.
constexpr char kEco = static_cast<char>(0xA1);

// Time limits of one command, in hundredths of a second.
constexpr int64_t kLimiteLineaCs = 3000;     // silence on the line
constexpr int64_t kLimiteRespuestaCs = 500;  // from the ACK or keep-alive to the answer
// However the printer keeps the line busy (keep-alives, noise, a frame that
// never ends), one command may take no longer than this: long enough for
// the slowest report a printer keeps alive, short enough that a babbling
// line ends in an error instead of holding the caller.
constexpr int64_t kLimiteComandoCs = 10 * 60 * 100;
// Draining the line before the first identity query stops after this.
constexpr int64_t kLimiteDesbloqueoCs = 3000;

// Reads the answer to `codigo`, giving up at `vence` on the clock.
Resultado RecibirRespuesta(uint8_t codigo, int64_t vence);

// Acknowledges every byte waiting on the line, so that a printer left
// with pending answers talks to us again.
void DesbloquearImpresora();

// Appends to DetalleReintentos, which holds 1500 characters.
void AnotarDetalle(std::string_view marca);

}  // namespace fiscal
