#pragma once
// The host interface carried out with Qt: the application's cursor table and current cursor, the
// modal information box, and the screen's facts.
//
// Create it after the QApplication and install it for the program's lifetime:
//   QApplication app(argc, argv);
//   nox::TQtHost host;
//   nox::SetHost(&host);
// Destroying the host takes back its override cursor and, if it is still the current host,
// uninstalls it (the headless host answers again), so no control is left holding a dead host.
//
// The current cursor is shown through Qt's application override cursor. The host keeps at most one
// level of Qt's override stack: the first cursor other than crDefault pushes it, later ones change
// it, crDefault pops it so that every widget shows its own cursor again. Code that pushes override
// cursors of its own while the host holds one must pop them before the host's cursor changes.

#include <QCursor>
#include <map>
#include <string_view>

#include "platform/host.h"

namespace nox {

class TQtHost : public THost {
 public:
  // Throws Exception when no QApplication exists yet (the message box needs widgets).
  TQtHost();
  ~TQtHost() override;
  TQtHost(const TQtHost&) = delete;
  TQtHost& operator=(const TQtHost&) = delete;

  // Index 1 .. 32767 (the positive cursor values); a second image for an index replaces the first (and the
  // screen cursor, if it is the one shown). Throws Exception for another index and EInvalidGraphic for an
  // image that is not a valid cursor (see detail::CursorFromImage); the table is then unchanged.
  void RegisterCursor(int index, const TCursorImage& image) override;
  // Registered indices show their image, platform cursors their Qt shape; an index with nothing
  // registered shows the arrow.
  void SetScreenCursor(TCursor cursor) override;
  TCursor ScreenCursor() const override { return m_screenCursor; }
  // QMessageBox with the information icon and one OK button, modal, over the active window, titled
  // with the application's display name; the text is shown as plain text (UTF-8).
  void ShowInformation(std::string_view text) override;
  // The primary screen's logical dots per inch, rounded; 96 without a screen.
  int ScreenPixelsPerInch() const override;
  // Screens have square pixels.
  int DeviceAspectX() const override { return 36; }
  int DeviceAspectY() const override { return 36; }

  // The Qt cursor of a cursor value: a registered image or a platform shape (the arrow for an
  // index with nothing registered). Host widgets use it for their control's own cursor.
  QCursor QtCursor(TCursor cursor) const;

 private:
  std::map<int, QCursor> m_cursors;
  TCursor m_screenCursor = crDefault;
  bool m_overrideActive = false;  // whether the host holds its level of Qt's override stack
};

// The Qt cursor for a control's cursor: through the current host when it is a TQtHost (which knows
// the application's cursor table), else the platform cursor's shape (the arrow for table indices).
QCursor QtCursorFor(TCursor cursor);

}  // namespace nox
