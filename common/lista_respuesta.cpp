#include "lista_respuesta.h"

#include "fecha_impresora.h"
#include "formatos.h"
#include "lp_fiscal.h"
#include "texto.h"

namespace fiscal {

namespace {
constexpr size_t kAnchoValor = 80;
constexpr size_t kAnchoResultado = sizeof LP_Resultado;
}  // namespace

void FechaLegible(Texto<250>& campo) {
  campo = FechaVisible(SerialDeFechaImpresora(campo.Valor()));
}

void HoraLegible(Texto<250>& campo) {
  // Midnight is a valid time, yet a zero field means the clock is unset.
  const bool cero = LeerEntero(campo.Valor()) == 0;
  campo = cero ? std::string() : HoraVisible(SerialDeHoraImpresora(campo.Valor()));
}

ListaRespuesta ArmarListaRespuesta(const Enlace& en) {
  ListaRespuesta lista;
  for (int n = 1; n <= kCamposRespuesta; ++n) {
    const Texto<250>& campo = en.CamposRespuesta[n - 1];
    const Texto<25>& etiqueta = en.EtiquetasRespuesta[n - 1];
    if (campo.Blanco() && etiqueta.Blanco()) continue;
    std::string_view completo = campo.Completo();
    std::string valor(completo[0] == '\x7F' ? std::string_view{} : completo.substr(0, kAnchoValor));
    valor.resize(kAnchoValor, ' ');
    // Each entry drops the padding of the one before; the whole is cut.
    std::string& r = lista.resultado;
    r.resize(SinBlancosFinales(r).size());
    r += '|';
    r += static_cast<char>('0' + n / 10);
    r += static_cast<char>('0' + n % 10);
    r += '=';
    r += valor;
    if (r.size() > kAnchoResultado) r.resize(kAnchoResultado);
    lista.filas.push_back({std::string(etiqueta.Valor()), std::string(SinBlancosFinales(valor))});
  }
  lista.resultado.resize(SinBlancosFinales(lista.resultado).size());
  return lista;
}

void PresentarListaRespuesta(const ListaRespuesta& lista, std::string_view titulo, bool mostrar) {
  AsignarFijo(LP_Resultado, lista.resultado);
  if (lista.filas.empty() || !mostrar) return;
  const Enlace& en = ElEnlace();
  ElOperador().MostrarRespuesta(
      {.titulo = titulo, .filas = lista.filas, .estado = en.TextoEstado.Valor(),
       .fiscalizada = LP_Fiscalizada != 0});
}

}  // namespace fiscal
