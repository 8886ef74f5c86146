#include "demo/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolTip>
#include <cmath>
#include <limits>
#include <optional>

#include "chart/form/grafon_stored_form.h"
#include "demo/form_fonts.h"
#include "demo/frame_placement.h"
#include "demo/log_warning_dialog.h"
#include "demo/main_form.h"
#include "platform/host.h"
#include "qt/chart_print.h"
#include "qt/control_widget.h"

namespace nox {

namespace {

constexpr QSize kClientSize(611, 419);

// The view the window starts from and returns to: layer 1, x 0..300, y -60..110.
constexpr long double kStartXLow = 0;
constexpr long double kStartYLow = -60;
constexpr long double kStartXHigh = 300;
constexpr long double kStartYHigh = 110;

constexpr const char* kOffHint = "Select from Zoom Mode box to use interactive zooming and panning";
constexpr const char* kPanHint = "maPan: Click and drag on graphics";
constexpr const char* kZoomDragHint = "maZoomDrag: Click and drag on graphics";
constexpr const char* kZoomWindHint = "maZoomWind: Click on graphics area to define window corners";
constexpr const char* kZoomWindPosHint = "maZoomWindPos: Click on graphics area to define window corners";

constexpr int kZoomHistoryItems = 8;  // "Zoom History [0]" .. "Zoom History [-7]"

// The zoom steps compute centre and half span in single precision. A value beyond the single range
// has no such form: the step is refused rather than converted.
std::optional<float> ToSingle(long double value) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(value);
}

// A small check mark for the "Done" button.
QIcon DoneGlyph() {
  QPixmap glyph(16, 16);
  glyph.fill(Qt::transparent);
  QPainter painter(&glyph);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0, 128, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5)}));
  return QIcon(glyph);
}

template <class W>
W* Place(W* widget, const char* name, const QRect& bounds) {
  widget->setObjectName(name);
  widget->setGeometry(bounds);
  return widget;
}

QFont ControlFont() { return FormFont("Arial", 15); }
QFont ButtonFont() { return FormFont("System", 17, true); }

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
  setObjectName("Form1");
  setWindowTitle("Time Series Plot");
  // A fixed dialog-style window: no resizing, no minimise or maximise box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(kClientSize);
  setFont(FormFont("Arial", 15));
  QPalette colours = palette();
  colours.setColor(QPalette::Window, QtColor(clSilver));
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);
  setAutoFillBackground(true);
  // Moves over the background reset the application's cursor.
  setMouseTracking(true);

  new TFramePlacement(*this, CentredOnScreen(*this, kClientSize));  // a child: the window owns it

  ReadChartForm();
  CreateControls();
  SetTabOrder();
  ConnectHandlers();
  CreateChartMenu();
}

TForm1::~TForm1() {
  // The widget goes before the chart it shows.
  delete m_grafonWidget;
  m_grafonWidget = nullptr;
}

void TForm1::ReadChartForm() { ReadGrafonForm(m_grafon1, detail::kMainForm); }

void TForm1::CreateControls() {
  m_bevel1 = Place(new QFrame(this), "Bevel1", {168, 8, 433, 369});
  m_bevel1->setFrameStyle(QFrame::Box | QFrame::Raised);

  m_grafonWidget = Place(new TControlWidget(m_grafon1, this), "Grafon1", {170, 10, 429, 365});

  m_groupBox1 = Place(new QGroupBox("Zoom Mode", this), "GroupBox1", {8, 8, 153, 121});
  const auto radio = [this](const char* name, const QRect& bounds, const char* caption) {
    auto* button = Place(new QRadioButton(caption, m_groupBox1), name, bounds);
    button->setFont(ControlFont());
    return button;
  };
  m_rbPan = radio("RBPan", {16, 24, 113, 17}, "Pan");
  m_rbZoom = radio("RBZoom", {16, 40, 129, 17}, "Zoom Drag");
  m_rbZoomWind = radio("RBZoomWind", {16, 56, 129, 17}, "Zoom Window");
  m_rbZoomWindPos = radio("RBZoomWindPos", {16, 72, 129, 17}, "Zoom WindPos");
  m_rbZoomPanOff = radio("RBZoomPanOff", {16, 96, 113, 17}, "Off");

  m_comboBox1 = Place(new QComboBox(this), "ComboBox1", {8, 136, 153, 25});
  m_comboBox1->setEditable(true);
  // Typed text stays text: it adds no item and completes nothing.
  m_comboBox1->setInsertPolicy(QComboBox::NoInsert);
  m_comboBox1->setCompleter(nullptr);
  for (int k = 0; k < kZoomHistoryItems; ++k) {
    m_comboBox1->addItem(k == 0 ? QString("Zoom History [0]") : QString("Zoom History [-%1]").arg(k));
  }
  m_comboBox1->setCurrentIndex(0);

  m_cbConfine = Place(new QCheckBox("Confine Zoom/Pan", this), "CBConfine", {8, 168, 145, 17});
  m_cboxIsometric = Place(new QCheckBox("Isometric", this), "CBoxIsometric", {8, 192, 153, 17});

  const auto button = [this](const char* name, const QRect& bounds, const char* caption) {
    auto* b = Place(new QPushButton(caption, this), name, bounds);
    b->setFont(ButtonFont());
    return b;
  };
  m_but07 = button("But07", {8, 216, 73, 25}, "x 0.7");
  m_but14 = button("But14", {88, 216, 73, 25}, "x 1.4");
  m_butNorm = button("ButNorm", {8, 248, 153, 25}, "Reset");

  m_cbLogX = Place(new QCheckBox("log. x scale", this), "CBLogX", {32, 280, 121, 25});
  m_cbLogY = Place(new QCheckBox("log. y scale", this), "CBLogY", {32, 304, 121, 25});
  m_cbLogX->setFont(ControlFont());
  m_cbLogY->setFont(ControlFont());

  m_bbtDone = button("BBtDone", {8, 336, 153, 41}, "Done");
  m_bbtDone->setIcon(DoneGlyph());

  m_pnlHints = Place(new QLabel("PnlHints", this), "PnlHints", {8, 384, 593, 33});
  m_pnlHints->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  m_pnlHints->setLineWidth(2);
  m_pnlHints->setAlignment(Qt::AlignCenter);
  m_pnlHints->setAutoFillBackground(true);
  QPalette yellow = m_pnlHints->palette();
  yellow.setColor(QPalette::Window, QtColor(clYellow));
  m_pnlHints->setPalette(yellow);
}

void TForm1::CreateChartMenu() {
  m_chartMenu.Add("&Copy image", [this](TObject*) { CopyChartImage(); });
  m_chartMenu.Add("&Save as PNG…", [this](TObject*) { SaveChartAsPng(); });
  m_chartMenu.Add("&Print…", [this](TObject*) { PrintChartPage(); });
  m_chartMenu.Add("Export P&DF…", [this](TObject*) { ExportChartPdf(); });
  m_chartMenu.Add("-");
  m_chartMenu.Add("&Back in history", [this](TObject*) { m_grafon1.StepBackInHistory(); });
  m_chartMenu.Add("&Reset view", [this](TObject*) { ButNormClick(); });
  m_grafon1.SetPopupMenu(&m_chartMenu);
  m_grafon1.OnItemHover = [this](TObject*, const std::optional<TgfItemHit>& hit) { ShowValueReadout(hit); };
}

void TForm1::ShowValueReadout(const std::optional<TgfItemHit>& hit) {
  if (!hit) {
    QToolTip::hideText();
    return;
  }
  const QString text = QString("Point %1\nx = %2\ny = %3")
                           .arg(hit->Index)
                           .arg(hit->X, 0, 'g', 6)
                           .arg(hit->Y, 0, 'g', 6);
  // Beside the point, so the tooltip does not cover it.
  const QPoint at = m_grafonWidget->mapToGlobal(QPoint(hit->Pixel.X + 8, hit->Pixel.Y + 8));
  QToolTip::showText(at, text, m_grafonWidget);
}

void TForm1::SetTabOrder() {
  // The zoom buttons, the zoom-mode group, (the hint panel takes no focus), Reset, Done, the log
  // check boxes, the zoom history, Confine, Isometric.
  QWidget* const order[] = {m_but07,         m_but14,        m_rbPan,     m_rbZoom,       m_rbZoomWind,
                            m_rbZoomWindPos, m_rbZoomPanOff, m_butNorm,   m_bbtDone,      m_cbLogX,
                            m_cbLogY,        m_comboBox1,    m_cbConfine, m_cboxIsometric};
  for (std::size_t i = 1; i < std::size(order); ++i) {
    QWidget::setTabOrder(order[i - 1], order[i]);
  }
  // The chart last: its arrow keys and '+' / '-' explore the view, Tab leaves it again.
  QWidget::setTabOrder(m_cboxIsometric, m_grafonWidget);
}

void TForm1::ConnectHandlers() {
  // A radio button's handler runs whenever it becomes checked, by a click, a key or code.
  const auto zoomMode = [this](QRadioButton* button, TMouseActMode action, const char* hint) {
    connect(button, &QRadioButton::toggled, this, [this, action, hint](bool checked) {
      if (checked) ZoomModeClick(action, hint);
    });
  };
  zoomMode(m_rbPan, maPan, kPanHint);
  zoomMode(m_rbZoom, maZoomDrag, kZoomDragHint);
  zoomMode(m_rbZoomWind, maZoomWind, kZoomWindHint);
  zoomMode(m_rbZoomWindPos, maZoomWindPos, kZoomWindPosHint);
  zoomMode(m_rbZoomPanOff, maNone, kOffHint);

  connect(m_but07, &QPushButton::clicked, this, [this] { ZoomStepClick(false); });
  connect(m_but14, &QPushButton::clicked, this, [this] { ZoomStepClick(true); });
  connect(m_butNorm, &QPushButton::clicked, this, [this] { ButNormClick(); });
  connect(m_bbtDone, &QPushButton::clicked, this, &QWidget::close);

  // A check box's handler runs on every change of its state, by the user or by code.
  connect(m_cbLogX, &QCheckBox::toggled, this, [this] { LogScaleClick(*m_cbLogX, m_grafon1.Scale1X()); });
  connect(m_cbLogY, &QCheckBox::toggled, this, [this] { LogScaleClick(*m_cbLogY, m_grafon1.Scale1Y()); });
  connect(m_cbConfine, &QCheckBox::toggled, this, [this] { CBConfineClick(); });
  connect(m_cboxIsometric, &QCheckBox::toggled, this, [this] { CBoxIsometricClick(); });

  // An item picked from the list (by mouse or key) recalls its entry; typed text selects none.
  connect(m_comboBox1, &QComboBox::activated, this, [this](int index) { ComboBox1Change(index); });
  connect(m_comboBox1->lineEdit(), &QLineEdit::textEdited, this, [this] { ComboBox1Change(-1); });
}

// --- window events ---

bool TForm1::event(QEvent* event) {
  const bool result = QWidget::event(event);
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return result;
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Once the window system has had its say.
  QTimer::singleShot(0, this, [this] { EnsureActive(); });
}

void TForm1::mouseMoveEvent(QMouseEvent* event) {
  Host().SetScreenCursor(crDefault);
  QWidget::mouseMoveEvent(event);
}

void TForm1::EnsureActive() {
  if (isVisible() && !isActiveWindow() && !QApplication::activeModalWidget()) activateWindow();
}

// --- handlers ---

void TForm1::FormActivate() {
  // The series and the start view are set up once. Coming back to the window (from the warning
  // dialog, another program or the minimised state) keeps the user's view, zoom mode and items.
  if (++m_activationCount > 1) return;
  if (!m_rbZoomPanOff->isChecked()) m_rbZoomPanOff->setChecked(true);  // runs its handler
  m_pnlHints->setText(kOffHint);
  m_grafon1.SetLayerRange(1, kStartXLow, kStartYLow, kStartXHigh, kStartYHigh);
  AddDemoSeries(m_grafon1, m_random);
  // The items appear with the chart's next paint; the window system may have painted the window
  // before it became active (or keep what it showed before), so ask for that paint.
  m_grafon1.Invalidate();
}

void TForm1::ZoomModeClick(TMouseActMode action, const char* hint) {
  m_grafon1.SetMouseAction(action);
  m_pnlHints->setText(hint);
}

void TForm1::ZoomStepClick(bool zoomIn) {
  const long double xLow = m_grafon1.Scale1X().RangeLow();
  const long double xHigh = m_grafon1.Scale1X().RangeHigh();
  const long double yLow = m_grafon1.Scale1Y().RangeLow();
  const long double yHigh = m_grafon1.Scale1Y().RangeHigh();
  // In: each span shrinks by 1.4 about its centre (half span / 2.8); out: it grows by 1.4.
  const auto halfSpan = [zoomIn](long double low, long double high) {
    return zoomIn ? (high - low) / 2.8L : (high - low) * 1.4L / 2;
  };
  const std::optional<float> cx = ToSingle((xLow + xHigh) / 2);
  const std::optional<float> cy = ToSingle((yLow + yHigh) / 2);
  const std::optional<float> hx = ToSingle(halfSpan(xLow, xHigh));
  const std::optional<float> hy = ToSingle(halfSpan(yLow, yHigh));
  if (!cx || !cy || !hx || !hy) return;
  const long double x = *cx, y = *cy, dx = *hx, dy = *hy;
  m_grafon1.SetLayerRange(1, x - dx, y - dy, x + dx, y + dy);
  m_grafon1.ShowItems();
}

void TForm1::ButNormClick() {
  m_grafon1.Scale1X().SetLogarithmic(false);
  m_grafon1.Scale1Y().SetLogarithmic(false);
  m_cbLogX->setChecked(false);  // runs the boxes' handlers if they were checked
  m_cbLogY->setChecked(false);
  m_grafon1.SetLayerRange(1, kStartXLow, kStartYLow, kStartXHigh, kStartYHigh);
}

void TForm1::LogScaleClick(QCheckBox& box, TScaleProps& axis) {
  if (box.isChecked() || axis.RangeLow() > 0) {
    axis.SetLogarithmic(box.isChecked());
    // The axis refuses a bound below 1e-100; the box shows what it took (unchecking it runs this
    // handler again, which then warns).
    box.setChecked(axis.Logarithmic());
  } else {
    if (m_logWarnForm) m_logWarnForm->exec();
    box.setChecked(false);
    // Back from the dialog the window becomes active again.
    QTimer::singleShot(0, this, [this] { EnsureActive(); });
  }
}

void TForm1::ComboBox1Change(int itemIndex) { m_grafon1.RecallZoom(-itemIndex); }

void TForm1::CBConfineClick() {
  if (m_cbConfine->isChecked()) {
    m_grafon1.SetConfinement(-150, -100, 450, 150);
  } else {
    m_grafon1.SetConfinement(0, 0, 0, 0);
  }
}

void TForm1::CBoxIsometricClick() { m_grafon1.SetIsometric(m_cboxIsometric->isChecked()); }

void TForm1::CopyChartImage() {
  const TBitmap& screen = m_grafon1.ScreenImage();
  if (screen.Empty()) return;
  const QImage shown(reinterpret_cast<const uchar*>(screen.Bits()), screen.Width(), screen.Height(),
                     static_cast<qsizetype>(screen.Width()) * 4, QImage::Format_RGB32);
  QImage copy = shown.copy();  // a copy: the chart's pixels change with it
  copy.setDevicePixelRatio(m_grafon1.DeviceScale());
  QApplication::clipboard()->setImage(copy);
}

void TForm1::SaveChartAsPng() {
  const QString path = QFileDialog::getSaveFileName(this, "Save as PNG", "chart.png", "PNG images (*.png)");
  if (path.isEmpty()) return;
  try {
    m_grafon1.SaveToPngFile(path.toStdString());
  } catch (const std::exception& e) {
    QMessageBox::warning(this, "Save as PNG", QString("The picture was not saved: %1").arg(e.what()));
  }
}

void TForm1::PrintChartPage() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(m_grafon1.Width() > m_grafon1.Height() ? QPageLayout::Landscape
                                                                    : QPageLayout::Portrait);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) PrintChartOn(printer);
}

bool TForm1::PrintChartOn(QPrinter& printer) {
  try {
    PrintChart(m_grafon1, printer);
    return true;
  } catch (const std::exception& e) {
    QMessageBox::warning(this, "Print", QString("The chart was not printed: %1").arg(e.what()));
    return false;
  }
}

void TForm1::ExportChartPdf() {
  const QString path = QFileDialog::getSaveFileName(this, "Export PDF", "chart.pdf", "PDF files (*.pdf)");
  if (path.isEmpty()) return;
  try {
    ExportPdf(m_grafon1, path.toStdString());
  } catch (const std::exception& e) {
    QMessageBox::warning(this, "Export PDF", QString("The PDF was not written: %1").arg(e.what()));
  }
}

}  // namespace nox
