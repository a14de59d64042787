// What the drivers need from the machine, as small interfaces: the clock,
// the serial device and the operator. The build picks the POSIX or the
// Win32 implementations; tests put in fakes that run without waiting.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace fiscal {

struct FechaHora {
  int anio = 0, mes = 0, dia = 0;
  int hora = 0, minuto = 0, segundo = 0;
};

class Reloj {
 public:
  virtual ~Reloj() = default;
  // Elapsed time in hundredths of a second from an arbitrary start.
  virtual int64_t Centesimas() = 0;
  // Local date and time of day.
  virtual FechaHora Ahora() = 0;
};

// The five time-outs of a serial device, in milliseconds.
struct TiemposPuerto {
  uint32_t intervalo = 0;
  uint32_t lectura_por_byte = 0;
  uint32_t lectura_constante = 0;
  uint32_t escritura_por_byte = 0;
  uint32_t escritura_constante = 0;
};

// One serial device of the system. Each call returns the system's error
// code for it: 0 is success, anything else a failure that the port layer
// reports with its own message and this code.
class CanalSerie {
 public:
  virtual ~CanalSerie() = default;
  // Opens the device named like "COM2:", exclusively.
  virtual uint32_t Abrir(std::string_view dispositivo) = 0;
  virtual uint32_t DimensionarColas(uint32_t entrada, uint32_t salida) = 0;
  virtual uint32_t LeerTiempos(TiemposPuerto& tiempos) = 0;
  virtual uint32_t GrabarTiempos(const TiemposPuerto& tiempos) = 0;
  // Reads the current line state.
  virtual uint32_t LeerLinea() = 0;
  // Fills the line state from a mode text such as "COM2:9600,N,8,1".
  virtual uint32_t ArmarLinea(std::string_view modo) = 0;
  // Applies the line state built by ArmarLinea.
  virtual uint32_t GrabarLinea() = 0;
  // Reads up to `cantidad` bytes within the time-outs; 0 bytes is no error.
  virtual uint32_t Leer(uint8_t* destino, size_t cantidad, size_t& leidos) = 0;
  virtual uint32_t Escribir(const uint8_t* origen, size_t cantidad, size_t& escritos) = 0;
  virtual void Cerrar() = 0;
};

using FabricaCanales = std::function<std::unique_ptr<CanalSerie>()>;

enum class Icono { Informacion, Advertencia, Exclamacion, Error };
enum class Botones { Aceptar, SiNo };
enum class Respuesta { Aceptar, Si, No };

struct Mensaje {
  std::string_view texto;   // "|" breaks lines
  std::string_view titulo;  // caption
  Icono icono = Icono::Informacion;
  Botones botones = Botones::Aceptar;
  Respuesta defecto = Respuesta::Aceptar;
};

class EdicionParametros;

// One row of the printer information window: a label and its value.
struct FilaRespuesta {
  std::string etiqueta;
  std::string valor;
};

// The printer information window: a title, the labelled return fields, the
// status words as text, and whether the printer is fiscalised.
struct VentanaRespuesta {
  std::string_view titulo;
  std::span<const FilaRespuesta> filas;
  std::string_view estado;
  bool fiscalizada = false;
};

enum class ResultadoDialogo {
  Grabado,     // the operator saved
  Cerrado,     // closed without saving
  SinPantalla  // no operator can be asked (no display)
};

// Everything the operator sees or answers. Windowed toolkits render it,
// tests script it, and a process without a display gets an implementation
// that never blocks.
class Operador {
 public:
  virtual ~Operador() = default;
  // A modal message box; returns the button pressed.
  virtual Respuesta Mostrar(const Mensaje& mensaje) = 0;
  // The parameter editor on a working copy; see EdicionParametros.
  virtual ResultadoDialogo EditarParametros(EdicionParametros& edicion) = 0;
  // Whether the operator has pressed ESC since the last poll.
  virtual bool EscapePulsado() { return false; }
  // Forgets keys pressed before now.
  virtual void DescartarTeclas() {}

  // The information window, modal until the operator closes it.
  virtual void MostrarRespuesta(const VentanaRespuesta&) {}

  // The progress window "Imprimiendo" of long commands: shown, advanced
  // (0 to 100) and hidden; the call goes on meanwhile.
  virtual void AbrirProgreso() {}
  virtual void AvanzarProgreso(int /*porcentaje*/) {}
  virtual void CerrarProgreso() {}

  // The loose-sheet prompt, shown while the driver polls the printer; the
  // animation line holds `asteriscos` asterisks (0: "...").
  virtual void AbrirHojaSuelta() {}
  virtual void AnimarHojaSuelta(int /*asteriscos*/) {}
  virtual void CerrarHojaSuelta() {}
};

// The implementations this build uses on the real machine.
Reloj& RelojDelSistema();
Operador& OperadorDelSistema();
std::unique_ptr<CanalSerie> CrearCanalDelSistema();
// The default profile file: drvfiscal/fiscal.ini in the user's
// configuration folder.
std::string RutaPerfilPorDefecto();

// The operator that answers with the default button and writes every
// box to standard error; for processes without a display.
Operador& OperadorDeConsola();

}  // namespace fiscal
