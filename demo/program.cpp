#include "demo/program.h"

#include <QApplication>

namespace nox {

TZoomPanProgram::TZoomPanProgram() {
  QApplication::setApplicationName(kApplicationTitle);
  m_form1 = std::make_unique<TForm1>();
  m_logWarnForm = std::make_unique<TLogWarnForm>(m_form1.get());
  m_form1->SetLogWarnForm(m_logWarnForm.get());
}

TZoomPanProgram::~TZoomPanProgram() {
  m_form1->SetLogWarnForm(nullptr);
  m_logWarnForm.reset();
}

}  // namespace nox
