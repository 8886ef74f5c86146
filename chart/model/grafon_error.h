#pragma once
// The chart's exception class: errors a caller must see (a logarithmic axis with a bound that is not
// positive, a refused layer join). Catch ENoxError to catch every error of the library.

#include "base/Nox_noxbase.h"

namespace nox {

class ENoxGrafonError : public ENoxError {
 public:
  using ENoxError::ENoxError;
};

}  // namespace nox
