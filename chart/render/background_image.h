#pragma once
// TBakGndImg: the settings of the chart area's background, a picture file or a coloured area
// bounded by world coordinates of the chart's current layer. Every setter stores, then calls
// OnChange (the owning chart's repaint-if-automatic).

#include <string>

#include "base/Nox_noxbase.h"
#include "chart/grafon_types.h"
#include "platform/color.h"
#include "platform/object.h"

namespace nox {

class TBakGndImg : public TPersistent {
 public:
  std::string_view ClassName() const override { return "TBakGndImg"; }

  // The picture file; empty for none. While IncludePath is False only the file-name part is kept
  // (the text after the last '\', '/' or ':').
  const std::string& Name() const { return m_name; }
  void SetName(const std::string& value);
  // Setting False also strips the path from the current Name.
  bool IncludePath() const { return m_includePath; }
  void SetIncludePath(bool value);
  TBkgFill FillMode() const { return m_fillMode; }
  void SetFillMode(TBkgFill value);
  TBGAreaMode AreaMode() const { return m_areaMode; }
  void SetAreaMode(TBGAreaMode value);
  TColor AreaColor() const { return m_areaColor; }
  void SetAreaColor(TColor value);
  double AreaLeft() const { return m_areaLeft; }
  void SetAreaLeft(double value);
  double AreaRight() const { return m_areaRight; }
  void SetAreaRight(double value);
  double AreaTop() const { return m_areaTop; }
  void SetAreaTop(double value);
  double AreaBottom() const { return m_areaBottom; }
  void SetAreaBottom(double value);

  // Back to the state after construction, without notifying.
  void ResetDefaults();
  // From another TBakGndImg: the nine values, without notifying. OnChange stays.
  void Assign(const TPersistent& Source) override;

  TNotifyEvent OnChange;

 private:
  void Changed();

  std::string m_name;                // = empty
  bool m_includePath = false;        // = False
  TBkgFill m_fillMode = bfStretch;   // = bfStretch
  TBGAreaMode m_areaMode = bamNone;  // = bamNone
  TColor m_areaColor = 0xDDDDDD;     // = $DDDDDD
  double m_areaLeft = -1.0;          // = -1, world x
  double m_areaRight = 1.0;          // = 1, world x
  double m_areaTop = 1.0;            // = 1, world y
  double m_areaBottom = -1.0;        // = -1, world y
};

// The file-name part of a path: the text after the last '\', '/' or ':'.
std::string FileNamePart(const std::string& path);

}  // namespace nox
