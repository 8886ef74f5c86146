#pragma once
// The application-wide services a control asks of the windowing system: the cursor table and the
// current cursor, the modal information box, and device facts (pixels per inch, pixel aspect).
//
// There is one current host per program. Until a window system installs its own (the Qt layer
// does), a THeadlessHost answers; it records what it was asked so that tests can check it.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cursors.h"
#include "platform/ui_types.h"

namespace nox {

class THost {
 public:
  virtual ~THost() = default;

  // Installs a cursor in the application's cursor table at index (1 and above).
  virtual void RegisterCursor(int index, const TCursorImage& image) = 0;
  // The application-wide current cursor (crDefault: each window shows its own).
  virtual void SetScreenCursor(TCursor cursor) = 0;
  virtual TCursor ScreenCursor() const = 0;
  // A modal information box with one OK button; returns when the user has closed it.
  virtual void ShowInformation(std::string_view text) = 0;
  // Logical pixels per inch of the screen.
  virtual int ScreenPixelsPerInch() const = 0;
  // Relative width and height of a device pixel (the ASPECTX and ASPECTY device capabilities of a
  // screen-compatible memory device); 36 and 36 for square pixels.
  virtual int DeviceAspectX() const = 0;
  virtual int DeviceAspectY() const = 0;
};

// The current host; never null.
THost& Host();
// Installs a host (nullptr: the built-in headless one) and returns the one it replaces.
THost* SetHost(THost* host);

// Installs a host for the lifetime of the guard (tests use it with a fresh THeadlessHost).
class TScopedHost {
 public:
  explicit TScopedHost(THost& host) : m_previous(SetHost(&host)) {}
  ~TScopedHost() { SetHost(m_previous); }
  TScopedHost(const TScopedHost&) = delete;
  TScopedHost& operator=(const TScopedHost&) = delete;

 private:
  THost* m_previous;
};

class THeadlessHost : public THost {
 public:
  void RegisterCursor(int index, const TCursorImage& image) override;
  void SetScreenCursor(TCursor cursor) override;
  TCursor ScreenCursor() const override { return m_cursor; }
  void ShowInformation(std::string_view text) override;
  int ScreenPixelsPerInch() const override { return m_pixelsPerInch; }
  int DeviceAspectX() const override { return m_aspectX; }
  int DeviceAspectY() const override { return m_aspectY; }

  // what it was asked
  const std::vector<std::string>& Messages() const { return m_messages; }
  const std::vector<TCursor>& CursorHistory() const { return m_cursorHistory; }
  const std::map<int, TCursorImage>& RegisteredCursors() const { return m_cursors; }
  void ClearRecords();

  // device facts a test may vary
  void SetScreenPixelsPerInch(int value) { m_pixelsPerInch = value; }
  void SetDeviceAspect(int x, int y) {
    m_aspectX = x;
    m_aspectY = y;
  }

 private:
  std::map<int, TCursorImage> m_cursors;
  TCursor m_cursor = crDefault;
  std::vector<TCursor> m_cursorHistory;  // every SetScreenCursor call, in order
  std::vector<std::string> m_messages;   // every information box, in order
  int m_pixelsPerInch = 96;
  int m_aspectX = 36;
  int m_aspectY = 36;
};

}  // namespace nox
