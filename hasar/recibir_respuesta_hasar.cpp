// Reading one Hasar answer: the printer's ACK, its keep-alives, then the
// answer frame, which is acknowledged and checked.
#include <algorithm>
#include <string>

#include "../common/enlace.h"
#include "../common/estado.h"
#include "../common/lp_fiscal.h"
#include "../common/puerto_serie.h"
#include "../common/trama.h"
#include "../common/traza.h"
#include "enlace_hasar.h"

namespace fiscal {

namespace {

constexpr size_t kAnchoDetalle = 1500;
constexpr uint16_t kBufferLleno = 0x0040;

enum class Fase { kEsperaAck, kEsperaStx, kRespuesta };

void AnotarByte(int b) { AnotarDetalle(" ?" + std::to_string(b)); }

void AnotarDistintos(std::string_view marca, unsigned enviado, unsigned recibido) {
  AnotarDetalle(std::string(marca) + "[" + std::to_string(enviado) + "=?" +
                std::to_string(recibido) + "]");
}

}  // namespace

void AnotarDetalle(std::string_view marca) {
  std::string& d = ElEnlace().DetalleReintentos;
  d.append(marca.substr(0, kAnchoDetalle - std::min(d.size(), kAnchoDetalle)));
}

Resultado RecibirRespuesta(uint8_t codigo, int64_t vence) {
  Enlace& en = ElEnlace();
  LimpiarRespuesta(en);
  const int puerto = Param().LP_ImpresoraPuerto;
  const bool formularios = Param().LP_TipoComprobante == "FC";
  Reloj& reloj = ElReloj();
  int64_t ultimo_byte = reloj.Centesimas();
  int64_t espera_respuesta = ultimo_byte;
  Fase fase = Fase::kEsperaAck;
  ColectorRespuesta col;

  for (bool completa = false; !completa;) {
    const int b = LeerByte(puerto);
    if (LP_Error) return Resultado::kAbandonar;
    const int64_t ahora = reloj.Centesimas();
    if (ahora > vence) {
      AnotarDetalle(" RSP-TimeOut");
      return Resultado::kAbandonar;
    }
    if (b < 0) {
      if (ahora - ultimo_byte > kLimiteLineaCs) {
        AnotarDetalle(" PTO-TimeOut 30\"");
        return Resultado::kAbandonar;
      }
      continue;
    }
    ultimo_byte = ahora;
    switch (fase) {
      case Fase::kEsperaAck:
        if (b == static_cast<unsigned char>(kEco)) {
          AnotarDetalle(" EST");
          EscribirPuerto(puerto, std::string(1, kEco));
          if (LP_Error) return Resultado::kAbandonar;
          ultimo_byte = reloj.Centesimas();
        } else if (b == NAK) {
          AnotarDetalle(" NAK");
          return Resultado::kReenviar;
        } else if (b == ACK) {
          AnotarDetalle(" ACK");
          espera_respuesta = ahora;
          fase = Fase::kEsperaStx;
        } else {
          AnotarByte(b);
        }
        break;
      case Fase::kEsperaStx:
        // DC1 and DC3 are only noted.
        if (b == DC1 || b == DC3) {
          AnotarDetalle(b == DC1 ? " DC1" : " DC3");
        } else if (b == DC2 || b == DC4) {
          AnotarDetalle(b == DC2 ? " DC2" : " DC4");
          espera_respuesta = ahora;
        } else if (ahora - espera_respuesta > kLimiteRespuestaCs) {
          AnotarDetalle(" ORD-TimeOut");
          return Resultado::kReenviar;
        } else if (b == STX) {
          col.Tomar(STX);
          fase = Fase::kRespuesta;
        } else {
          AnotarByte(b);
        }
        break;
      case Fase::kRespuesta:
        completa = col.Tomar(static_cast<char>(b));
        break;
    }
  }

  EscribirPuerto(puerto, std::string(1, ACK));
  if (LP_Error) return Resultado::kAbandonar;
  CopiarCampos(col, en);
  if (!formularios && CalcularBCC(col.Trama()) != col.Bcc()) {
    AnotarDetalle(" BCC-Error");
    return Resultado::kReenviar;
  }
  if (col.Byte(2) != en.SecuenciaComando) {
    AnotarDistintos(" SEQ", en.SecuenciaComando, col.Byte(2));
    return Resultado::kReenviar;
  }
  // On forms the third byte is an ESC the printer echoes.
  const uint8_t codigo_recibido = col.Byte(formularios ? 4 : 3);
  if (codigo_recibido != codigo) {
    AnotarDistintos(" ORD", codigo, codigo_recibido);
    return Resultado::kReenviar;
  }
  TomarEstado(col, en);
  if (en.EstadoImpresora & kBufferLleno) {
    AnotarDetalle(" BUF-Lleno");
    return Resultado::kReenviar;
  }
  if (Param().LP_GenerarLog) TrazarRespuesta(col.Trama());
  return Resultado::kValida;
}

}  // namespace fiscal
