#include "platform/host.h"

namespace nox {

namespace {
THeadlessHost& DefaultHost() {
  static THeadlessHost host;
  return host;
}
THost* g_host = nullptr;
}  // namespace

THost& Host() { return g_host ? *g_host : DefaultHost(); }

THost* SetHost(THost* host) {
  THost* previous = g_host;
  g_host = host;
  return previous;
}

void THeadlessHost::RegisterCursor(int index, const TCursorImage& image) { m_cursors[index] = image; }

void THeadlessHost::SetScreenCursor(TCursor cursor) {
  m_cursor = cursor;
  m_cursorHistory.push_back(cursor);
}

void THeadlessHost::ShowInformation(std::string_view text) { m_messages.emplace_back(text); }

void THeadlessHost::ClearRecords() {
  m_cursorHistory.clear();
  m_messages.clear();
}

}  // namespace nox
