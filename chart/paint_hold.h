#pragma once
// The scopes of the control's bulk changes: painting held back while many things change, and the
// property objects' change notifications collected into one ScaleChanged.

#include "chart/Nox_grafon.h"

namespace nox {

// Holds painting back for the lifetime of an operation that changes many things. Release
// restores the remembered value (repainting if that releases painting); when an error leaves the
// scope early the value is restored without painting.
class TCustomGrafon::TPaintHold {
 public:
  explicit TPaintHold(TCustomGrafon& chart);
  ~TPaintHold();
  TPaintHold(const TPaintHold&) = delete;
  TPaintHold& operator=(const TPaintHold&) = delete;
  void Release();
  void RestoreQuietly();

 private:
  TCustomGrafon& m_chart;
  bool m_previous;
  bool m_done = false;
};

// Collects the property objects' change notifications of a bulk change into one ScaleChanged,
// run by Finish when the outermost batch ends; Finish says whether it ran (ScaleChanged repaints).
class TCustomGrafon::TScaleChangeBatch {
 public:
  explicit TScaleChangeBatch(TCustomGrafon& chart);
  ~TScaleChangeBatch();
  TScaleChangeBatch(const TScaleChangeBatch&) = delete;
  TScaleChangeBatch& operator=(const TScaleChangeBatch&) = delete;
  bool Finish();

 private:
  TCustomGrafon& m_chart;
  bool m_done = false;
};

}  // namespace nox
