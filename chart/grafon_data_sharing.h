#pragma once
// Which charts show one data list: the tables of data sharing, a part of the chart control. The
// control changes them (data_sharing.cpp); here they are read.

#include <array>

namespace nox {

class TCustomGrafon;

constexpr int kMaxDataUsers = 4;  ///< charts that may use one chart's data

/// Data sharing, a part of TCustomGrafon: a chart may show another chart's data list instead of its
/// own. Setting UseDataOf to T is refused, with a message in the host's information box, when T is
/// this chart ("Grafon: Cannot share data with myself"), when others use this chart's data (any T,
/// nil too: "Grafon: Cannot use foreign data. Other Grafons are using my own data.") or when T (or
/// the chart whose data T uses, the owner) already serves 4 charts ("Grafon: Max. number of data
/// shares exceeded"). Otherwise the chart leaves the chart whose data it used and shows the owner's
/// list (the same storage, count included); nil makes it keep a copy of the items as they stand. A
/// chart that is destroyed leaves every table: its users keep a copy of its items.
class TGrafonDataSharing {
 public:
  /// The chart whose data this one shows (TCustomGrafon::SetUseDataOf sets it by the rules above).
  TCustomGrafon* UseDataOf() const { return m_useDataOf; }  ///< = nullptr
  /// The charts that use this chart's data, in the order they joined (nullptr outside the count).
  ///@{
  int DataUserCount() const { return m_dataUserCount; }
  TCustomGrafon* DataUser(int index) const;
  ///@}

 protected:
  TCustomGrafon* m_useDataOf = nullptr;                     ///< the chart whose data this one shows
  std::array<TCustomGrafon*, kMaxDataUsers> m_dataUsers{};  ///< charts showing this one's data
  int m_dataUserCount = 0;
};

}  // namespace nox
