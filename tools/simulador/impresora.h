// The fiscal printer behind the link: fiscal state, documents, totals,
// numbering, closings, title lines, clock and the physical conditions that
// the two status words report. One command in, one answer out; the link
// (simulador.h) handles framing, handshakes and faults.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "codec.h"

namespace simulador {

enum class Protocolo { Epson, Hasar };

// What a simulated model is and knows.
struct Modelo {
  std::string nombre;  // blank: a default per protocol
  std::string serie = "SIM0000001";
  std::string cuit = "30712345678";
  std::string razon_social = "COMERCIO DE PRUEBA S.A.";
  std::string punto_venta = "0001";
  char categoria_iva = 'I';
  std::set<uint8_t> desconocidos;  // command codes the model refuses as unknown
  bool fiscalizada = true;
  bool cierre_z_pendiente = false;  // fiscal bit 11: a Z closing is due
  // Scales how long the long commands work (closings, reports, closes),
  // and so how many keep-alives precede their answers. 0: no waiting.
  double escala_trabajo = 1.0;
};

enum class Papel { Normal, Poco, Sin };
enum class MemoriaFiscal { Normal, CasiLlena, Llena, Error };

// Physical conditions and forced status bits; they apply to every answer.
struct Condiciones {
  Papel papel = Papel::Normal;
  MemoriaFiscal memoria = MemoriaFiscal::Normal;
  bool cajon_abierto = false;
  bool bateria_baja = false;
  bool error_impresora = false;
  bool fuera_de_linea = false;
  bool esperando_hoja = false;  // Epson printer bit 8
  bool hoja_colocada = false;   // Epson printer bit 9
  uint16_t impresora_poner = 0, impresora_quitar = 0;
  uint16_t fiscal_poner = 0, fiscal_quitar = 0;
};

struct Respuesta {
  uint16_t impresora = 0, fiscal = 0;
  std::vector<std::string> campos;
  int trabajo_ms = 0;     // how long the printer works before answering
  bool ejecutado = true;  // false when refused (status bits 3, 4, 5) or not taken
};

// Fiscal status bits the printer sets.
inline constexpr uint16_t kFiscalDesconocido = 0x0008, kFiscalCampo = 0x0010,
                          kFiscalEstado = 0x0020, kFiscalZPendiente = 0x0800,
                          kFiscalDocumento = 0x1000, kFiscalNoFiscal = 0x2000;
inline constexpr uint16_t kImpresoraBufferLleno = 0x0040;

class Impresora {
 public:
  explicit Impresora(Protocolo protocolo, Modelo modelo = {});

  // Runs one command and builds its answer. Thread-safe.
  Respuesta Ejecutar(const Trama& trama);
  // The status words of the current state, for answers that run nothing.
  void EstadoActual(uint16_t& impresora, uint16_t& fiscal);

  // The paper roll: every line printed, in order.
  std::vector<std::string> Rollo() const;
  // Also append each printed line to this file (blank: none).
  void RolloEnArchivo(const std::string& ruta);

  // Settings and conditions, changeable while the link runs.
  void CambiarCondiciones(const Condiciones& c);
  Condiciones LeerCondiciones() const;
  void CambiarModelo(const Modelo& m);
  Modelo LeerModelo() const;
  // Refuse the next command with fiscal bit 4, naming this field.
  void RechazarCampo(int campo);

  Protocolo protocolo() const { return protocolo_; }
  const std::string& NombreModelo() const { return modelo_.nombre; }

  // Whether a document is open, and its numbers: for tests.
  bool DocumentoAbierto() const;
  long UltimoNumero() const;
  long UltimoZ() const;

 private:
  // The outcome of one command handler.
  struct Salida {
    uint16_t rechazo = 0;  // fiscal bit 3, 4 or 5
    int campo = 0;         // the refused field, for bit 4
    std::vector<std::string> campos;
    int trabajo_ms = 0;
  };
  enum class Doc { Ninguno, Fiscal, NoFiscal };
  struct PorTasa {
    long double neto = 0, iva = 0, interno = 0;
  };
  struct Documento {
    Doc tipo = Doc::Ninguno;
    char clase = ' ';     // kind of the open document
    char letra = ' ';     // A, B, C or X
    bool modo_ticket = false;  // Epson: opened with the ticket command set
    bool especial = false;     // Hasar: opened with 80h, closed with 81h
    int lineas = 0, pagos = 0;
    std::map<int, PorTasa> tasas;  // by rate x 100
    std::vector<std::pair<std::string, long double>> percepciones;
    long double pagado = 0;
  };
  struct Jornada {  // counters since the last Z closing
    long fiscales = 0, cancelados = 0, no_fiscales = 0, homologados = 0;
    long emitidos_a = 0, emitidos_bc = 0;
    long double venta = 0, iva = 0, interno = 0, percepcion = 0;
    long double venta_nc = 0, iva_nc = 0, interno_nc = 0, percepcion_nc = 0;
    long notas_credito = 0;
  };

  Salida EjecutarEpson(const Trama& t);
  Salida EjecutarHasar(const Trama& t);
  // Epson commands
  Salida EpsonEstado(const Trama& t);
  Salida EpsonAbrirTicket(const Trama& t);
  Salida EpsonAbrirFactura(const Trama& t);
  Salida EpsonItem(const Trama& t, bool ticket);
  Salida EpsonPago(const Trama& t);
  Salida EpsonCerrar(const Trama& t, bool ticket);
  Salida EpsonCupon(const Trama& t);
  // Hasar commands
  Salida HasarAbrir(const Trama& t, bool especial);
  Salida HasarItem(const Trama& t);
  Salida HasarAjuste(const Trama& t);
  Salida HasarPago(const Trama& t);
  Salida HasarPercepcion(const Trama& t);
  Salida HasarCerrar(bool especial);
  Salida HasarTotales(bool primero);
  // Shared
  Salida Cierre(char letra);
  Salida Informe(const Trama& t);
  Salida AbrirNoFiscal();
  Salida TextoNoFiscal(const std::string& texto);
  Salida CerrarNoFiscal();
  Salida Avanzar(const std::string& lineas);
  Salida FijarReloj(const Trama& t);
  Salida LeerReloj();
  Salida GrabarTitulo(const Trama& t);
  Salida LeerTitulo(const Trama& t);
  Salida Subtotal(const Trama& t);
  Salida Cancelar();
  Salida Ajuste(const std::string& texto, long double importe);
  Salida Percepcion(const std::string& texto, long double importe);
  Salida Pagar(const std::string& texto, long double importe);

  Salida AbrirFiscal(char clase, char letra, bool modo_ticket, bool especial);
  Salida Item(const std::string& descripcion, long double cantidad, long double precio,
              int tasa_x100, bool negativo, bool precio_neto, long double interno_unitario);
  Salida CerrarFiscal();
  bool ImprimeComando(uint8_t codigo) const;
  // Both status words from the state, a refusal bit and a paper fault.
  void Palabras(uint16_t rechazo, bool sin_papel, uint16_t& impresora, uint16_t& fiscal) const;
  bool PuedeAbrir(Salida& s) const;

  static long double Suma(const Documento& d, long double PorTasa::*parte);
  long double Total(const Documento& d) const;
  long double Neto(const Documento& d) const;
  long double Iva(const Documento& d) const;
  long double Interno(const Documento& d) const;
  long double Percepciones(const Documento& d) const;
  std::string ClaveNumerador(const Documento& d) const;
  long Ultimo(const std::string& claves_clase, const std::string& letras) const;

  void Imprimir(const std::string& linea);
  void ImprimirColumnas(const std::string& izquierda, const std::string& derecha);
  void ImprimirEncabezado();
  void ImprimirPie();
  std::string Ahora(bool fecha) const;

  static Salida Rechazo(uint16_t bit, int campo = 0);

  Protocolo protocolo_;
  mutable std::mutex mutex_;
  Modelo modelo_;
  Condiciones condiciones_;
  int campo_a_rechazar_ = 0;
  Documento doc_;
  Documento ultimo_doc_;  // the last closed fiscal document, for totals queries
  size_t totales_leidos_ = 0;
  Jornada jornada_;
  std::map<std::string, long> numeros_;  // last number by kind and letter
  long ultimo_numero_ = 0;               // of the last document closed
  long ultimo_z_ = 0, ultimo_x_ = 0, copias_ = 1;
  std::string cliente_;                  // Hasar customer data, when given
  std::string asociados_[2];
  std::vector<std::string> titulos_;     // index = line number
  long long desfase_reloj_ = 0;          // seconds added to the system clock
  std::string inicio_jornada_;           // yymmddhhmmss of the first document of the day
  std::vector<std::string> rollo_;
  std::string ruta_rollo_;
};

}  // namespace simulador
