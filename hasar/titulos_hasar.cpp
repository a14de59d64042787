// Commands every Hasar order uses: one command with its marks, the title
// lines, and the document mode.
#include <span>
#include <string>

#include "../common/estado.h"
#include "../common/formatos.h"
#include "ordenes_hasar.h"

namespace fiscal {

void EnviarHasar(uint8_t codigo, std::initializer_list<std::string_view> campos, Marcas m) {
  Enlace& en = ElEnlace();
  en.ToleraRechazo = m.tolera;
  en.ErrorPapelFatal = m.papel;
  EnviarComando(codigo, campos);
}

void GrabarTituloHasar(int linea, std::string_view texto, Marcas m) {
  EnviarHasar(']', {EnteroFijo(linea, 2), EsBlanco(texto) ? kSinValor : texto}, m);
}

void GrabarPieHasar(const Argumentos& a, int ancho, bool borrar) {
  constexpr int kPrimeraLineaPie = 11;
  for (int n = 1; n <= 3; ++n)
    GrabarTituloHasar(kPrimeraLineaPie + n - 1, borrar ? std::string_view{} : Cortado(a[n], ancho),
                      kTolera);
}

bool ModoTicket() { return Param().LP_TipoComprobante == "TQ"; }
bool ModoFormulario() { return Param().LP_TipoComprobante == "FC"; }

char TipoAbierto() {
  if (ModoTicket()) return 'T';
  std::string_view t = Estado().comprobante.TipoDocumento.Valor();
  return t.empty() ? ' ' : t[0];
}

}  // namespace fiscal
