// The chart's life cycle: construction and its settings (Setup), the Loaded step after a stored
// form was read, destruction, and copying one chart onto another.

#include <string>

#include "chart/Nox_grafon.h"
#include "chart/keep_notification.h"
#include "chart/paint_hold.h"
#include "platform/cursors.h"
#include "platform/host.h"

namespace nox {

namespace {

// The custom cursors of the mouse actions, by cursor-table index.
constexpr std::array<const char*, 4> kCursorNames{"CURHAND", "CURZOOMW", "CURZOOMD", "CURZOOMP"};

}  // namespace

TCustomGrafon::TCustomGrafon(TComponent* owner) : TControl(owner), m_jointLayers(this) {
  // Sized before the scale controls exist: Setup prepares them for this size from their defaults.
  SetBounds(Left(), Top(), 280, 200);
  for (std::size_t i = 0; i < static_cast<std::size_t>(kLayerCount); ++i) {
    m_scaleX[i] = std::make_unique<TScale>(this);
    m_scaleY[i] = std::make_unique<TScale>(this);
  }
  // Setup's layout sizes the chart image; the control's image takes its size when it is composed.
  Setup();
  ClearEvents();
}

TCustomGrafon::~TCustomGrafon() {
  // No table of another chart may keep pointing here.
  LeaveDataOwner();
  ReleaseDataUsers();
  // Nothing may call back into a chart that is going away.
  for (std::size_t i = 0; i < static_cast<std::size_t>(kLayerCount); ++i) {
    m_propsX[i].OnChange = nullptr;
    m_propsY[i].OnChange = nullptr;
    m_propsX[i].DateFormat().OnChange = nullptr;
    m_propsY[i].DateFormat().OnChange = nullptr;
    for (TScale* scale : {m_scaleX[i].get(), m_scaleY[i].get()}) {
      scale->OnScaleTickDrawn = nullptr;
      scale->OnBeforeTickLabel = nullptr;
      scale->OnZoomPan = nullptr;
    }
  }
  for (TCrossHair& c : m_crossHairs) c.OnChange = nullptr;
  for (TTextLabel& t : m_textLabels) t.OnChange = nullptr;
  m_jointLayers.OnChange = nullptr;
  m_backGroundImg.OnChange = nullptr;
}

void TCustomGrafon::InitCrossHairsAndLabels() {
  const TNotifyEvent repaint = [this](TObject*) { RepaintIfAutomatic(); };
  for (int i = 1; i <= kCrossHairCount; ++i) {
    TCrossHair& c = CrossHair(i);
    c.OnChange = nullptr;
    c.SetPosX(0);
    c.SetPosY(0);
    c.SetLayer(i);
    c.SetColor(clRed);
    c.SetMode(chOff);
    c.SetLineType(psDashDotDot);
    c.SetLineWid(1);
    c.OnChange = repaint;
  }
  for (int i = 1; i <= kTextLabelCount; ++i) {
    TTextLabel& t = TextLabel(i);
    t.OnChange = nullptr;
    t.SetPosX(0);
    t.SetPosY(0);
    t.SetLayer(1);
    t.SetAttachToData(tlamBoth);
    t.SetAlignment(taCenter);
    t.SetVerticalAlignment(vaBottom);
    t.SetColorBkg(0xFFFFFF);
    t.SetColorBorder(0);
    t.SetShadowDx(3);
    t.SetShadowDy(3);
    t.SetColorShadow(0x808080);
    t.SetTransparent(false);
    t.SetCaption("");
    t.SetFont(Font());
    t.SetVisible(false);
    t.SetMode(tlOff);
    t.OnChange = repaint;
  }
}

void TCustomGrafon::Setup() {
  // Plain values start as the members declare them; this sets up what needs the control: the
  // notifications, the cursors, the host's pixel aspect, the scale controls and the standard layout.
  InitCrossHairsAndLabels();
  m_backGroundImg.ResetDefaults();
  m_backGroundImg.OnChange = [this](TObject*) { RepaintIfAutomatic(); };
  m_jointLayers.OnChange = [this](TObject*) { RepaintIfAutomatic(); };
  m_autoRedraw = false;
  m_textFont.Assign(Font());
  for (int i = 0; i < static_cast<int>(kCursorNames.size()); ++i) {
    if (const TCursorImage* image = FindCursorResource(kCursorNames[static_cast<std::size_t>(i)])) {
      Host().RegisterCursor(i + 1, *image);
    }
  }
  m_renderer.BackgroundPicture().SetSize(10, 10);
  // Square pixels unless the host reports a usable aspect.
  m_aspectX = Host().DeviceAspectX();
  m_aspectY = Host().DeviceAspectY();
  if (m_aspectX <= 0 || m_aspectY <= 0) m_aspectX = m_aspectY = 1;

  for (int l = 1; l <= kLayerCount; ++l) {
    TScalePropsHoriz& px = ScaleXOf(l);
    TScalePropsVert& py = ScaleYOf(l);
    px.ResetDefaults();
    py.ResetDefaults();
    px.SetColorScale(DefaultLayerColor(l));
    py.SetColorScale(DefaultLayerColor(l));
    const bool odd = l % 2 == 1;
    px.SetScaleType(odd ? sctXT : sctXB);
    py.SetScaleType(odd ? sctYR : sctYL);
    px.SetScalePos((l - 1) / 2 * 30);
    py.SetScalePos((l - 1) / 2 * 50);
    PrepareScaleControl(ScaleControlX(l), true);
    PrepareScaleControl(ScaleControlY(l), false);
    ScaleControlX(l).SetName("GF_FScale_X_" + std::to_string(l));
    ScaleControlY(l).SetName("GF_FScale_Y_" + std::to_string(l));
  }
  // The layout gives the scale controls their margins and pushes the property objects into them
  // once all are set. Only then do the property objects report their changes: until here there is
  // nothing a change could move (no joined layer, every range its own).
  SetStandardLayout(gfl_X1Bottom_Y1Left);
  const TNotifyEvent scaleChanged = [this](TObject* sender) { ScaleChanged(sender); };
  for (int l = 1; l <= kLayerCount; ++l) {
    for (TScaleProps* props :
         {static_cast<TScaleProps*>(&ScaleXOf(l)), static_cast<TScaleProps*>(&ScaleYOf(l))}) {
      props->OnChange = scaleChanged;
      props->DateFormat().OnChange = scaleChanged;
    }
  }
  ResetZoomHistory();
  m_autoRedraw = true;
}

void TCustomGrafon::Loaded() {
  TControl::Loaded();
  ResizeChartImage(true, true);
  for (int l = 1; l <= kLayerCount; ++l) {
    PushScaleProps(ScaleControlX(l), ScaleXOf(l));
    PushScaleProps(ScaleControlY(l), ScaleYOf(l));
  }
  EndLoadingGuards();
  FollowJoinsWithoutStoredRange();
  UpdateLayerMapping();
  Repaint();
}

void TCustomGrafon::EndLoadingGuards() {
  for (int l = 1; l <= kLayerCount; ++l) {
    ScaleXOf(l).SetLoadingGuard(false);
    ScaleYOf(l).SetLoadingGuard(false);
  }
}

void TCustomGrafon::FollowJoinsWithoutStoredRange() {
  // Which axis follows which layer, decided before any range moves (and before an axis that cannot
  // be mapped ends the step).
  std::array<int, kLayerCount> xSource{};
  std::array<int, kLayerCount> ySource{};
  for (int l = 1; l <= kLayerCount; ++l) {
    const auto i = static_cast<std::size_t>(l - 1);
    xSource[i] = ScaleXOf(l).RangeFromForm() ? l : m_jointLayers.XControlledBy(l);
    ySource[i] = ScaleYOf(l).RangeFromForm() ? l : m_jointLayers.YControlledBy(l);
    ScaleXOf(l).ForgetRangeFromForm();
    ScaleYOf(l).ForgetRangeFromForm();
  }
  for (int l = 1; l <= kLayerCount; ++l) {
    const auto i = static_cast<std::size_t>(l - 1);
    if (xSource[i] == l && ySource[i] == l) continue;
    // An axis that does not follow is given its own range, which leaves it as it is.
    const TScaleProps& x = ScaleXOf(xSource[i]);
    const TScaleProps& y = ScaleYOf(ySource[i]);
    ApplyLayerRange(l, false, false, x.RangeLow(), y.RangeLow(), x.RangeHigh(), y.RangeHigh());
  }
}

void TCustomGrafon::Assign(const TPersistent& Source) {
  const auto* source = dynamic_cast<const TCustomGrafon*>(&Source);
  if (source == nullptr) {
    TControl::Assign(Source);
    return;
  }
  if (source == this) return;
  const TCustomGrafon& s = *source;

  TPaintHold hold(*this);
  SetTag(s.Tag());
  m_items.AllocSize = s.m_items.AllocSize;

  // Data sharing is taken over through its own rules, so that every table stays consistent: this
  // chart joins the chart whose data the source shows, or leaves its own owner; the charts that use
  // this chart's data stay with it. Where the rules refuse, this chart takes a copy of the items.
  TCustomGrafon* owner = s.m_useDataOf;
  if (owner != this) {
    if (owner != m_useDataOf) SetUseDataOf(owner);
    if (m_useDataOf != owner && m_useDataOf != nullptr) SetUseDataOf(nullptr);
    // In place: the charts that use this chart's data see the new items too.
    if (m_items.Data != s.m_items.Data) m_items.Data->CopyFrom(*s.m_items.Data, m_items.AllocSize);
  }
  m_items.Annotations.CopyFrom(s.m_items.Annotations, m_items.AllocSize);

  m_items.AnnotationMode = s.m_items.AnnotationMode;
  m_items.AnnotationsUnderData = s.m_items.AnnotationsUnderData;
  m_items.ShowAnnotations = s.m_items.ShowAnnotations;
  m_items.AnnotationTextsOnTop = s.m_items.AnnotationTextsOnTop;
  m_items.DataClassVisible = s.m_items.DataClassVisible;
  m_items.AnnotationClassVisible = s.m_items.AnnotationClassVisible;
  m_items.LayerShown = s.m_items.LayerShown;
  m_items.Pen.Attribute = s.m_items.Pen.Attribute;
  m_gridStyle = s.m_gridStyle;
  m_gridDx = s.m_gridDx;
  m_gridDy = s.m_gridDy;
  m_gridColor = s.m_gridColor;
  m_marginLeft = s.m_marginLeft;
  m_marginRight = s.m_marginRight;
  m_marginTop = s.m_marginTop;
  m_marginBottom = s.m_marginBottom;
  m_shadowWidth = s.m_shadowWidth;
  m_shadowStyle = s.m_shadowStyle;
  m_shadowColor = s.m_shadowColor;
  m_shadowBakColor = s.m_shadowBakColor;
  m_mouseAction = s.m_mouseAction;
  m_items.Pen.Color = s.m_items.Pen.Color;
  m_items.Pen.FillColor = s.m_items.Pen.FillColor;
  m_items.Pen.Style = s.m_items.Pen.Style;
  m_chartFrameColor = s.m_chartFrameColor;
  m_chartColor = s.m_chartColor;
  m_windColor = s.m_windColor;
  m_mouseTraceColor = s.m_mouseTraceColor;
  m_mouseTraceInvert = s.m_mouseTraceInvert;
  m_standardLayout = s.m_standardLayout;
  m_mouse.State() = s.m_mouse.State();
  m_layerMouseActive = s.m_layerMouseActive;
  m_panGridDx = s.m_panGridDx;
  m_panGridDy = s.m_panGridDy;
  m_panGridOffsX = s.m_panGridOffsX;
  m_panGridOffsY = s.m_panGridOffsY;
  m_items.Pen.Width = s.m_items.Pen.Width;
  m_caption = s.m_caption;
  m_captionPosX = s.m_captionPosX;
  m_captionPosY = s.m_captionPosY;
  m_captionAlignment = s.m_captionAlignment;
  m_captionAnchorHoriz = s.m_captionAnchorHoriz;
  m_captionAnchorVert = s.m_captionAnchorVert;
  m_captionTrim = s.m_captionTrim;
  m_items.Pen.Class = s.m_items.Pen.Class;
  m_items.Pen.Layer = s.m_items.Pen.Layer;
  m_mouseCursorFixed = s.m_mouseCursorFixed;
  m_wheelZoom = s.m_wheelZoom;
  m_keyNavigation = s.m_keyNavigation;
  m_avoidDuplicateMarks = s.m_avoidDuplicateMarks;
  m_minDupMarkDist = s.m_minDupMarkDist;
  m_autoRedraw = s.m_autoRedraw;
  m_textBkStyle = s.m_textBkStyle;
  m_textAlignment = s.m_textAlignment;
  m_aspectX = s.m_aspectX;
  m_aspectY = s.m_aspectY;
  m_isometric = s.m_isometric;
  // The paint-suspension flag stays this control's own: it follows this control's window.

  for (std::size_t i = 0; i < static_cast<std::size_t>(kLayerCount); ++i) {
    // A scale control's tick events would otherwise fire the source chart's relays.
    m_scaleX[i]->Assign(*s.m_scaleX[i]);
    m_scaleY[i]->Assign(*s.m_scaleY[i]);
    WireScaleControl(*m_scaleX[i]);
    WireScaleControl(*m_scaleY[i]);
    m_propsX[i].Assign(s.m_propsX[i]);
    m_propsY[i].Assign(s.m_propsY[i]);
  }
  m_mapping.CopyCoefficients(s.m_mapping);
  m_zoomHistory = s.m_zoomHistory;
  m_confinement = s.m_confinement;

  m_backGroundImg.Assign(s.m_backGroundImg);
  for (int i = 1; i <= kCrossHairCount; ++i) detail::AssignKeepingOnChange(CrossHair(i), s.CrossHair(i));
  for (int i = 1; i <= kTextLabelCount; ++i) detail::AssignKeepingOnChange(TextLabel(i), s.TextLabel(i));
  m_jointLayers.Assign(s.m_jointLayers);
  m_textFont.Assign(s.m_textFont);
  ResizeChartImage(true, true);

  TGrafonEvents::operator=(s);
  OnClick = s.OnClick;
  OnDblClick = s.OnDblClick;
  OnMouseDown = s.OnMouseDown;
  OnMouseMove = s.OnMouseMove;
  OnMouseUp = s.OnMouseUp;
  OnMouseEnter = s.OnMouseEnter;
  OnMouseLeave = s.OnMouseLeave;
  OnKeyDown = s.OnKeyDown;
  OnKeyUp = s.OnKeyUp;
  OnKeyPress = s.OnKeyPress;
  OnMouseWheel = s.OnMouseWheel;
  OnMouseWheelUp = s.OnMouseWheelUp;
  OnMouseWheelDown = s.OnMouseWheelDown;
  OnCanResize = s.OnCanResize;
  OnResize = s.OnResize;

  hold.RestoreQuietly();
  RepaintIfAutomatic();
}

}  // namespace nox
