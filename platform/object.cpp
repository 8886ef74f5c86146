#include "platform/object.h"

namespace nox {

std::string AssignErrorText(std::string_view sourceClass, std::string_view destClass) {
  std::string text = "Cannot assign a ";
  text += sourceClass;
  text += " to a ";
  text += destClass;
  text += ".";
  return text;
}

void TPersistent::Assign(const TPersistent& Source) { Source.AssignTo(*this); }

void TPersistent::AssignTo(TPersistent& Dest) const {
  throw EConvertError(AssignErrorText(ClassName(), Dest.ClassName()));
}

}  // namespace nox
