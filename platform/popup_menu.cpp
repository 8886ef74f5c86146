#include "platform/popup_menu.h"

#include <utility>

namespace nox {

TMenuItem& TPopupMenu::Add(std::string caption, TNotifyEvent onClick) {
  auto item = std::make_unique<TMenuItem>();
  item->Caption = std::move(caption);
  item->OnClick = std::move(onClick);
  m_items.push_back(std::move(item));
  return *m_items.back();
}

TMenuItem* TPopupMenu::Item(int index) const {
  return index >= 0 && index < Count() ? m_items[static_cast<std::size_t>(index)].get() : nullptr;
}

void TPopupMenu::DoPopup() {
  if (OnPopup) OnPopup(this);
}

}  // namespace nox
