#pragma once
// TSizeConstraints: the least and greatest width and height a control may take; 0 means no bound.
//
// Negative values count as 0. A minimum set above the maximum raises the maximum to it; a maximum
// set (not 0) below the minimum lowers the minimum to it, so the bounds never cross. Every change
// fires OnChange (the owning control then applies the bounds to its size).

#include "platform/object.h"

namespace nox {

class TSizeConstraints : public TPersistent {
 public:
  std::string_view ClassName() const override { return "TSizeConstraints"; }

  int MinWidth() const { return m_minWidth; }    // = 0
  int MinHeight() const { return m_minHeight; }  // = 0
  int MaxWidth() const { return m_maxWidth; }    // = 0, no bound
  int MaxHeight() const { return m_maxHeight; }  // = 0, no bound
  void SetMinWidth(int value);
  void SetMinHeight(int value);
  void SetMaxWidth(int value);
  void SetMaxHeight(int value);

  // A size within the bounds.
  int ConstrainWidth(int width) const { return Constrain(width, m_minWidth, m_maxWidth); }
  int ConstrainHeight(int height) const { return Constrain(height, m_minHeight, m_maxHeight); }

  // From another TSizeConstraints: the four values, one notification.
  void Assign(const TPersistent& Source) override;

  TNotifyEvent OnChange;

 private:
  static int Constrain(int value, int minimum, int maximum);
  void SetBounds(int& minimum, int& maximum, int newMinimum, int newMaximum);

  int m_minWidth = 0;
  int m_minHeight = 0;
  int m_maxWidth = 0;
  int m_maxHeight = 0;
};

}  // namespace nox
