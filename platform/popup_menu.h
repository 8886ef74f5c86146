#pragma once
// A context menu a control carries (its PopupMenu): a list of items with a caption and a click
// handler. The control's site shows it; the menu only holds what is to be shown.
//
// A caption "-" is a separator line; '&' marks the next letter as the item's access key ("&&" is a
// plain '&'). OnPopup fires just before the menu is shown, so that a handler can bring the items
// up to date (enable or disable them).

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/control.h"

namespace nox {

class TMenuItem : public TObject {
 public:
  std::string_view ClassName() const override { return "TMenuItem"; }

  std::string Caption;   // "-": a separator
  bool Enabled = true;   // a disabled item is shown greyed and cannot be chosen
  TNotifyEvent OnClick;  // Sender is the item
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner) : TComponent(owner) {}
  std::string_view ClassName() const override { return "TPopupMenu"; }

  // Appends an item; the reference stays valid while the menu lives.
  TMenuItem& Add(std::string caption, TNotifyEvent onClick = {});
  int Count() const { return static_cast<int>(m_items.size()); }
  // Item 0..Count()-1; nullptr outside.
  TMenuItem* Item(int index) const;

  // Fires OnPopup (Sender is the menu); the site calls it just before showing the menu.
  void DoPopup();
  TNotifyEvent OnPopup;

 private:
  std::vector<std::unique_ptr<TMenuItem>> m_items;
};

}  // namespace nox
