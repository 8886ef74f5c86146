#pragma once
// The property objects of a chart's axes: TScaleProps holds the range and the look of one axis of
// one layer; TScalePropsHoriz (X) and TScalePropsVert (Y) add where the axis is placed. The chart
// copies each object into its hosted scale control (TCustomGrafon::PushScaleProps) and installs
// its ScaleChanged handler as OnChange.
//
// Every setter stores, then fires OnChange, unless its comment says otherwise. Values that are not
// finite (NaN, infinities) are ignored everywhere, with no notification; so is a bound that would
// make the span RangeHigh - RangeLow overflow a Double, and an enumeration value outside its type.

#include <string>

#include "base/Nox_noxbase.h"
#include "platform/font.h"
#include "platform/object.h"
#include "platform/ui_types.h"
#include "scale/Nox_Scale.h"
#include "scale/axis_mapping.h"

namespace nox {

class TCustomGrafon;

enum TScaleLocationHoriz : std::uint8_t { slTop, slBottom };
enum TScaleLocationVert : std::uint8_t { slLeft, slRight };
constexpr int kScaleLocationHorizCount = slBottom + 1;
constexpr int kScaleLocationVertCount = slRight + 1;

class TScaleProps : public TPersistent {
 public:
  TScaleProps();
  ~TScaleProps() override;
  std::string_view ClassName() const override { return "TScaleProps"; }

  // Back to the state after construction, loading guard set, without notifying. OnChange and the
  // owned font's and date format's notification handlers stay.
  virtual void ResetDefaults();

  // caption of the axis
  const std::string& Caption() const { return m_caption; }
  void SetCaption(const std::string& value);
  int CaptionPosX() const { return m_captionPosX; }
  void SetCaptionPosX(int value);
  int CaptionPosY() const { return m_captionPosY; }
  void SetCaptionPosY(int value);
  TAlignment CaptionAlignment() const { return m_captionAlignment; }
  void SetCaptionAlignment(TAlignment value);
  TScaleUnitAnchor CaptionAnchor() const { return m_captionAnchor; }
  void SetCaptionAnchor(TScaleUnitAnchor value);

  // look of ticks and labels
  TColor ColorScale() const { return m_colorScale; }
  void SetColorScale(TColor value);
  // The object owns its date format; setting it copies the seven settings in (its own change
  // handler stays), then notifies.
  TDTLabel& DateFormat() { return m_dateFormat; }
  const TDTLabel& DateFormat() const { return m_dateFormat; }
  void SetDateFormat(const TDTLabel& value);
  // Clamped into -3..12.
  int DecPlaces() const { return m_decPlaces; }
  void SetDecPlaces(int value);
  // True is stored without checks while the loading guard is set; afterwards only when both bounds
  // are at least kMinLogValue and LabelType is not ftDateTime (otherwise it stays False). False is
  // always stored. Notifies in every case. Should the owner refuse the new state (its notification
  // handler throws: a chart cannot map a logarithmic axis over a bound <= 0), the setting is undone,
  // the owner notified again and the error passed on; the range setters below do the same.
  bool Logarithmic() const { return m_logarithmic; }
  void SetLogarithmic(bool value);
  // ftDateTime also switches Logarithmic off; ftTime also sets DecPlaces 4.
  TFigType LabelType() const { return m_labelType; }
  void SetLabelType(TFigType value);
  // The object owns its font; setting it copies the attributes in. Any change of the font notifies.
  TFont& Font() { return m_font; }
  const TFont& Font() const { return m_font; }
  void SetFont(const TFont& value);
  int MinTicks() const { return m_minTicks; }
  void SetMinTicks(int value);
  bool ShortTicks() const { return m_shortTicks; }
  void SetShortTicks(bool value);
  const std::string& ScaleInscript() const { return m_scaleInscript; }
  void SetScaleInscript(const std::string& value);
  const std::string& UserTickText() const { return m_userTickText; }
  void SetUserTickText(const std::string& value);
  bool Visible() const { return m_visible; }
  void SetVisible(bool value);

  // Set from construction until the owning chart ends it (its Loaded step, or for a chart made in
  // code, being shown or painted); relaxes SetLogarithmic. Not a published property; setting it does
  // not notify.
  bool LoadingGuard() const { return m_loadingGuard; }
  void SetLoadingGuard(bool value) { m_loadingGuard = value; }

  // range
  // RangeLow := v: when |RangeHigh - v| < MinRange the range becomes v .. v + MinRange; otherwise a
  // logarithmic axis refuses v < kMinLogValue (nothing stored) and any other v is stored. Notifies
  // in every case. RangeHigh := v likewise, the range becoming v - MinRange .. v.
  double RangeLow() const { return m_rangeLow; }
  void SetRangeLow(double value);
  double RangeHigh() const { return m_rangeHigh; }
  void SetRangeHigh(double value);
  // m <= kMinLogValue is ignored. A range narrower than m is widened to m about its centre (and
  // notifies); otherwise m is only stored, without notification.
  double MinRange() const { return m_minRange; }
  void SetMinRange(double value);

  // Reading a stored form: the values as written, without the setters' rules and without notifying
  // (the owning chart takes the form as one state when its loading ends). The stored form accepts
  // only finite bounds and a MinRange above kMinLogValue. A bound read marks the range as given by
  // the form until the chart's Loaded step (RangeFromForm).
  void SetRangeLowAsStored(double value);
  void SetRangeHighAsStored(double value);
  void SetMinRangeAsStored(double value) { m_minRange = value; }
  // The form gives Logarithmic and DecPlaces as they were: the label type alone changes neither.
  void SetLabelTypeAsStored(TFigType value) { m_labelType = value; }
  bool RangeFromForm() const { return m_rangeFromForm; }
  void ForgetRangeFromForm() { m_rangeFromForm = false; }

  // placement
  // The scale type (not published): which edge the axis line runs along. Set by ScaleLocation or by
  // the owning chart.
  TScaleType ScaleType() const { return m_scaleType; }
  void SetScaleType(TScaleType value);
  // Distance of the axis from its chart edge, pixels. Kept in one slot for the X scale types and one
  // for the Y types; reads and writes use the slot of the current scale type.
  int ScalePos() const { return m_scalePos[SlotOf(m_scaleType)]; }
  void SetScalePos(int value);

  // What dragging on this axis' scale does; only stored (no notification).
  TMouseActMode MouseAction() const { return m_mouseAction; }
  void SetMouseAction(TMouseActMode value);

  // From another TScaleProps: every value except MouseAction, the loading guard and both ScalePos
  // slots included, without checks and without notifying. OnChange stays. The scale type comes
  // with the values, and with it ScaleLocation, which always tells where the axis is drawn.
  void Assign(const TPersistent& Source) override;

  TNotifyEvent OnChange;

 protected:
  void Changed();

  // What a range or logarithmic setting may leave in a state the owner cannot map.
  struct TAxisSettings {
    bool Logarithmic;
    double RangeLow;
    double RangeHigh;
    double MinRange;
  };
  TAxisSettings AxisSettings() const;
  // Notifies; when the owner's handler throws, puts before back, notifies again and rethrows.
  void ChangedOrRestored(const TAxisSettings& before);

 private:
  friend class TCustomGrafon;  // the range-update path stores bounds without the setter rules

  static int SlotOf(TScaleType type) { return type == sctXB || type == sctXT ? 0 : 1; }
  void ResetFields();
  void CopyFontQuietly(const TFont& source);

  std::string m_caption;                           // = empty
  int m_captionPosX = 0;                           // = 0, pixels
  int m_captionPosY = 0;                           // = 0, pixels
  TAlignment m_captionAlignment = taCenter;        // = taCenter
  TScaleUnitAnchor m_captionAnchor = uaSclTopLft;  // = uaSclTopLft
  TColor m_colorScale = clBlack;                   // set per layer by the chart
  TDTLabel m_dateFormat;                           // scale defaults (tfHHMMSS, "-", ":", ylYYYY, ...)
  int m_decPlaces = -2;                            // = -2 (automatic)
  bool m_logarithmic = false;                      // = False
  TFigType m_labelType = ftNum;                    // = ftNum
  TFont m_font;                                    // = a default font
  int m_minTicks = 3;                              // = 3
  bool m_loadingGuard = true;                      // = True until the chart's Loaded step
  double m_rangeLow = 0.0;                         // = 0
  double m_rangeHigh = 1.0;                        // = 1
  bool m_shortTicks = true;                        // = True
  std::string m_scaleInscript;                     // = empty
  TScaleType m_scaleType = sctXT;                  // = sctXT; the chart sets it per layer
  int m_scalePos[2] = {0, 0};                      // X-type slot, Y-type slot; pixels
  double m_minRange = 1e-10;                       // = 1e-10
  TMouseActMode m_mouseAction = maNone;            // = maNone
  std::string m_userTickText;                      // = empty
  bool m_visible = false;                          // = False
  bool m_rangeFromForm = false;                    // a stored form gave a bound; until Loaded
};

// The X axis of a layer. slTop gives the scale type sctXB, slBottom sctXT. ScaleLocation is read
// from the scale type, so that it tells where the axis is drawn however the type was set (by the
// chart per layer, or by Assign): slTop for sctXB, slBottom otherwise.
class TScalePropsHoriz : public TScaleProps {
 public:
  TScalePropsHoriz() = default;
  std::string_view ClassName() const override { return "TScalePropsHoriz"; }

  TScaleLocationHoriz ScaleLocation() const { return ScaleType() == sctXB ? slTop : slBottom; }  // = slBottom
  void SetScaleLocation(TScaleLocationHoriz value);
};

// The Y axis of a layer. slLeft gives the scale type sctYR, slRight sctYL; ScaleLocation reads
// slRight for sctYL, slLeft otherwise.
class TScalePropsVert : public TScaleProps {
 public:
  TScalePropsVert() = default;
  std::string_view ClassName() const override { return "TScalePropsVert"; }

  TScaleLocationVert ScaleLocation() const { return ScaleType() == sctYL ? slRight : slLeft; }  // = slLeft
  void SetScaleLocation(TScaleLocationVert value);
};

}  // namespace nox
