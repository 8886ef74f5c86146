// Data sharing: a chart may show another chart's data list. The charts tied to one owner hold the
// same list object, so an item added through any of them is seen by all at once; the tables below
// only record who is tied to whom, for the sharing rules, for repainting and for destruction. Showing
// the lists and repainting after a removal reach every chart tied to this one.

#include <algorithm>

#include "chart/Nox_grafon.h"
#include "platform/host.h"

namespace nox {

namespace {
constexpr const char* kShareWithMyself = "Grafon: Cannot share data with myself";
constexpr const char* kOthersUseMyData =
    "Grafon: Cannot use foreign data. Other Grafons are using my own data.";
constexpr const char* kTooManyShares = "Grafon: Max. number of data shares exceeded";
}  // namespace

TCustomGrafon* TGrafonDataSharing::DataUser(int index) const {
  if (index < 0 || index >= m_dataUserCount) return nullptr;
  return m_dataUsers[static_cast<std::size_t>(index)];
}

void TCustomGrafon::SetUseDataOf(TCustomGrafon* value) {
  if (value == this) {
    Host().ShowInformation(kShareWithMyself);
    return;
  }
  if (m_dataUserCount > 0) {
    Host().ShowInformation(kOthersUseMyData);
    return;
  }
  if (value == m_useDataOf) return;

  if (value == nullptr) {
    // Keep the items as they stand, in a list of this chart's own.
    LeaveDataOwner();
    m_items.Data = std::make_shared<detail::TItemList>(*m_items.Data);
  } else {
    TCustomGrafon* owner = value->m_useDataOf != nullptr ? value->m_useDataOf : value;
    // Asking for a chart that uses the same owner changes nothing.
    if (owner == m_useDataOf) return;
    if (owner->m_dataUserCount >= kMaxDataUsers) {
      Host().ShowInformation(kTooManyShares);
      return;
    }
    LeaveDataOwner();
    m_useDataOf = owner;
    owner->m_dataUsers[static_cast<std::size_t>(owner->m_dataUserCount++)] = this;
    m_items.Data = owner->m_items.Data;
  }
  RepaintIfAutomatic();
}

void TCustomGrafon::LeaveDataOwner() {
  TCustomGrafon* owner = m_useDataOf;
  if (owner == nullptr) return;
  const auto first = owner->m_dataUsers.begin();
  const auto last = first + owner->m_dataUserCount;
  const auto found = std::find(first, last, this);
  if (found != last) {
    std::move(found + 1, last, found);
    *(last - 1) = nullptr;
    --owner->m_dataUserCount;
  }
  m_useDataOf = nullptr;
}

void TCustomGrafon::ReleaseDataUsers() {
  // Each user keeps the items as they stand in a list of its own, so that users left behind do not
  // go on sharing with one another.
  for (int i = 0; i < m_dataUserCount; ++i) {
    TCustomGrafon* user = m_dataUsers[static_cast<std::size_t>(i)];
    user->m_useDataOf = nullptr;
    if (i + 1 < m_dataUserCount)
      user->m_items.Data = std::make_shared<detail::TItemList>(*user->m_items.Data);
    m_dataUsers[static_cast<std::size_t>(i)] = nullptr;
  }
  m_dataUserCount = 0;
}

void TCustomGrafon::AskTiedChartsToRepaint() {
  if (TCustomGrafon* owner = m_useDataOf) {
    owner->RepaintIfAutomatic();
    for (int i = 0; i < owner->m_dataUserCount; ++i) {
      owner->m_dataUsers[static_cast<std::size_t>(i)]->RepaintIfAutomatic();
    }
  }
  for (int i = 0; i < m_dataUserCount; ++i) m_dataUsers[static_cast<std::size_t>(i)]->RepaintIfAutomatic();
}

void TCustomGrafon::ShowItems() {
  if (Visible()) {
    if (m_autoRedraw)
      m_renderer.RefreshChartArea();
    else
      Repaint();
  }
  AskTiedChartsToRepaint();
}

void TCustomGrafon::ItemsRemoved() {
  RepaintIfAutomatic();
  AskTiedChartsToRepaint();
}

}  // namespace nox
