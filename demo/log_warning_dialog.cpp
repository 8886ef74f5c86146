#include "demo/log_warning_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "demo/form_fonts.h"
#include "demo/frame_placement.h"

namespace nox {

namespace {

constexpr QRect kOuterFrame(385, 219, 356, 159);  // screen position and outer size

QLabel* AddLabel(QWidget* parent, const char* name, const QRect& bounds, const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(name);
  label->setGeometry(bounds);
  return label;
}

}  // namespace

TLogWarnForm::TLogWarnForm(QWidget* parent) : QDialog(parent) {
  setObjectName("LogWarnForm");
  setWindowTitle("Warning: Negative or Zero Parts of Axis !");
  setFont(FormFont("MS Sans Serif", 10));
  QPalette face = palette();
  face.setColor(QPalette::Window, QtColor(clBtnFace));
  setPalette(face);
  resize(kOuterFrame.size());
  new TFramePlacement(*this, [](const QMargins&) { return kOuterFrame; });  // a child: the dialog owns it

  QFont large = FormFont("MS Sans Serif", 15);
  QPalette black = palette();
  black.setColor(QPalette::WindowText, Qt::black);
  for (QLabel* label :
       {AddLabel(this, "Label1", {13, 13, 324, 16}, "Sorry, you must not switch to logarithmic scales"),
        AddLabel(this, "Label2", {13, 33, 324, 16}, "if parts of the axis are negative or zero.")}) {
    label->setFont(large);
    label->setPalette(black);
  }
  AddLabel(this, "Label3", {13, 56, 324, 17}, "Hint: Pan the data window to a positive range by dragging");
  AddLabel(this, "Label4", {45, 72, 292, 16}, "using the mouse (select  Zoom Mode = pan)");

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("Button1");
  ok->setGeometry(248, 96, 89, 25);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace nox
