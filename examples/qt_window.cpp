// A Qt window with a chart and two controls: a check box that makes the y axis logarithmic and a
// button that returns to the first view. Drag in the chart to pan.
//
//   example_qt_window                  opens the window
//   example_qt_window OUTPUT_FOLDER    ticks the check box as a user would, writes the chart to
//                                      qt_window.png there and ends (offscreen without a display)

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <cmath>

#include "chart/Nox_grafon.h"
#include "example_support.h"
#include "qt/control_widget.h"
#include "qt/qt_host.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  nox::TQtHost host;  // the library's window system: Qt
  nox::TScopedHost useHost(host);

  nox::TGrafon chart(nullptr);
  chart.SetBounds(0, 0, 500, 350);
  chart.SetCaption("Growth, drag to pan");
  chart.SetMarginLeft(60);
  chart.SetLayerRange(1, 0, 1, 300, 500);
  chart.SetDataColor(nox::clTeal);
  chart.MoveToPoint(0, 1);
  for (int day = 1; day <= 300; ++day) chart.LineToPoint(day, std::exp(day / 50.0));
  chart.SetMouseAction(nox::maPan);

  QWidget window;
  window.setWindowTitle("Chart with controls");
  auto* logarithmic = new QCheckBox("Logarithmic y axis");
  auto* reset = new QPushButton("Reset view");
  auto* controls = new QHBoxLayout;
  controls->addWidget(logarithmic);
  controls->addWidget(reset);
  controls->addStretch();
  auto* layout = new QVBoxLayout(&window);
  layout->addLayout(controls);
  layout->addWidget(new nox::TControlWidget(chart));

  QObject::connect(logarithmic, &QCheckBox::toggled, [&](bool on) { chart.Scale1Y().SetLogarithmic(on); });
  QObject::connect(reset, &QPushButton::clicked, [&] {
    logarithmic->setChecked(false);
    chart.SetLayerRange(1, 0, 1, 300, 500);
  });

  window.show();
  if (argc < 2) return QApplication::exec();
  logarithmic->click();
  QApplication::processEvents();
  chart.SaveToPngFile(example::PicturePath(argc, argv, "qt_window"));
  return 0;
}
