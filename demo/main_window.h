#pragma once
// TForm1, the demo's main window "Time Series Plot": one chart with three generated series and the
// controls that explore it (zoom mode, fixed zoom steps, reset, logarithmic axes, zoom history,
// confinement, isometric scaling, a hint panel and "Done"). The wheel zooms the chart about the
// pointer, its keys pan and zoom, and a right click on it opens its menu: Copy image, Save as PNG…,
// Back in history, Reset view.
//
// The window has a fixed client area of 611 x 419 pixels and is centred, frame included, on the
// screen when it is first shown; on a screen smaller than the window its frame's top-left corner
// stays on the screen. The chart's settings come from the stored form compiled into the program (read when
// the window is built; a form that cannot be read makes the constructor throw the reader's error).
// The controls carry their form names as object names ("RBPan", "CBLogY", "Grafon1", ...).
//
// The first time the window becomes the active window it switches the zoom mode to "Off", sets
// layer 1 to x 0..300, y -60..110 and appends the three series; later activations (the return from
// the warning dialog, from another program or from the minimised state) change nothing. Where the
// window system does not activate a shown window by itself (no window manager), the window asks
// for it.

#include <QWidget>
#include <optional>

#include "chart/Nox_grafon.h"
#include "demo/series_generator.h"
#include "platform/popup_menu.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QPrinter;
class QRadioButton;

namespace nox {

class TControlWidget;
class TLogWarnForm;

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // The dialog shown when a logarithmic axis is asked for over a range that is not positive. The
  // window does not own it. Without one the check box just ends unchecked.
  void SetLogWarnForm(TLogWarnForm* dialog) { m_logWarnForm = dialog; }

  TGrafon& Grafon1() { return m_grafon1; }
  // What the Print… action does once its dialog is accepted: prints the chart on the printer, and
  // says in a message box why when that fails. Returns whether the page was printed.
  bool PrintChartOn(QPrinter& printer);
  // How often the window has become the active window.
  int ActivationCount() const { return m_activationCount; }

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void CreateControls();
  void SetTabOrder();
  void ConnectHandlers();
  void ReadChartForm();
  void CreateChartMenu();

  // handlers
  void FormActivate();
  void ZoomModeClick(TMouseActMode action, const char* hint);
  void ZoomStepClick(bool zoomIn);
  void ButNormClick();
  void LogScaleClick(QCheckBox& box, TScaleProps& axis);
  void ComboBox1Change(int itemIndex);
  void CBConfineClick();
  void CBoxIsometricClick();
  void CopyChartImage();
  // The tooltip with the data point under the pointer, or none.
  void ShowValueReadout(const std::optional<TgfItemHit>& hit);
  void SaveChartAsPng();
  void PrintChartPage();
  void ExportChartPdf();
  // Asks the window system to make the window active when it did not do so itself.
  void EnsureActive();

  TPopupMenu m_chartMenu{nullptr};  // the chart's context menu; outlives the chart's use of it
  TGrafon m_grafon1{nullptr};
  TSeriesRandom m_random;  // seeded 0 once; never reseeded
  TLogWarnForm* m_logWarnForm = nullptr;
  int m_activationCount = 0;

  // the form's controls (owned by Qt's widget tree)
  QFrame* m_bevel1 = nullptr;
  TControlWidget* m_grafonWidget = nullptr;
  QGroupBox* m_groupBox1 = nullptr;
  QRadioButton* m_rbPan = nullptr;
  QRadioButton* m_rbZoom = nullptr;
  QRadioButton* m_rbZoomWind = nullptr;
  QRadioButton* m_rbZoomWindPos = nullptr;
  QRadioButton* m_rbZoomPanOff = nullptr;
  QComboBox* m_comboBox1 = nullptr;
  QCheckBox* m_cbConfine = nullptr;
  QCheckBox* m_cboxIsometric = nullptr;
  QPushButton* m_but07 = nullptr;
  QPushButton* m_but14 = nullptr;
  QPushButton* m_butNorm = nullptr;
  QCheckBox* m_cbLogX = nullptr;
  QCheckBox* m_cbLogY = nullptr;
  QPushButton* m_bbtDone = nullptr;
  QLabel* m_pnlHints = nullptr;
};

}  // namespace nox
