// Placeholder: replaced by the profile-file reader and writer.
#include "perfil.h"

namespace fiscal {
std::string LeerPerfil(std::string_view, std::string_view, std::string_view, std::string_view d) {
  return std::string(d);
}
void EscribirPerfil(std::string_view, std::string_view, std::string_view, std::string_view) {}
void EscribirPerfil(std::string_view, std::string_view, const ClavesPerfil&) {}
void AnexarPerfil(std::string_view, std::string_view, std::string_view, std::string_view) {}
}  // namespace fiscal
