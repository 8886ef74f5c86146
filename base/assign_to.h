#pragma once
// The AssignTo rule the library's property objects share: the destination takes the values through
// its own Assign when the source is an instance of the destination's class; anything else is the
// platform's assignment error (EConvertError).

#include <typeinfo>

#include "platform/object.h"

namespace nox::detail {

// Base is the class that defines Assign (TCrossHair, TCustomTextLabel, TDTLabel). The source is an
// instance of Dest's class when Dest is exactly Base, or of the same class as the source.
template <class Base>
void AssignToSameClass(const Base& source, TPersistent& dest) {
  auto* target = dynamic_cast<Base*>(&dest);
  if (target != nullptr && (typeid(*target) == typeid(Base) || typeid(*target) == typeid(source))) {
    target->Assign(source);
    return;
  }
  source.TPersistent::AssignTo(dest);  // throws EConvertError
}

}  // namespace nox::detail
