#pragma once
// TJointLayers: which layer controls each layer's X and Y axis. XControl[L] = D != L means layer L's
// X axis always shows layer D's X range and cannot be moved on its own; likewise for Y. Joins are
// one level deep: a controlling layer is never itself controlled, and a layer that controls others
// cannot be joined to a third one.
//
// Setting LnnxControlledBy (layer L) to D:
//   D outside 1..16             -> ENoxGrafonError "Destination layer D is out of range"
//   D = L                       -> the join is released (no range change, no notification)
//   D is itself controlled      -> ENoxGrafonError "Destination layer D is already joined"
//   L controls other layers     -> ENoxGrafonError "Layer L is joined by other layers (k1, k2)"
//   otherwise the join is made, layer L takes D's X range at once (through the owning chart's
//   range-update path, without history), and OnChange fires.
// A refused request leaves both tables unchanged. LnnyControlledBy is the same for Y.

#include <array>
#include <string>

#include "platform/object.h"

namespace nox {

class TCustomGrafon;

class TJointLayers : public TPersistent {
 public:
  // owner: the chart whose ranges follow the joins (nullptr: only the tables change).
  explicit TJointLayers(TCustomGrafon* owner = nullptr);
  std::string_view ClassName() const override { return "TJointLayers"; }

  // The layer controlling layer's X (Y) axis; layer itself when it is not joined.
  // A layer outside 1..16 raises ENoxGrafonError "Layer N is out of range".
  int XControlledBy(int layer) const;
  void SetXControlledBy(int layer, int destination);
  int YControlledBy(int layer) const;
  void SetYControlledBy(int layer, int destination);

  // Back to no joins, without notifying.
  void Clear();

  // Reading a stored form: the entry as written (destination in 1..16), without the rules above,
  // a range change or notification; a form replaces the joins as a whole, and the tables are
  // checked once it is read (CheckXJoin, CheckYJoin).
  void SetXControlledByAsStored(int layer, int destination);
  void SetYControlledByAsStored(int layer, int destination);
  // Raises what the setter of layer's X (Y) entry raises when the entry keeps joins more than one
  // level deep: layer is joined to another one while other layers are joined to it, "Layer L is
  // joined by other layers (k1, k2)".
  void CheckXJoin(int layer) const;
  void CheckYJoin(int layer) const;

  // From another TJointLayers: both tables, without range changes or notification.
  void Assign(const TPersistent& Source) override;

  // published tables, one property per layer and axis
  int L01xControlledBy() const { return XControlledBy(1); }
  void SetL01xControlledBy(int d) { SetXControlledBy(1, d); }
  int L01yControlledBy() const { return YControlledBy(1); }
  void SetL01yControlledBy(int d) { SetYControlledBy(1, d); }
  int L02xControlledBy() const { return XControlledBy(2); }
  void SetL02xControlledBy(int d) { SetXControlledBy(2, d); }
  int L02yControlledBy() const { return YControlledBy(2); }
  void SetL02yControlledBy(int d) { SetYControlledBy(2, d); }
  int L03xControlledBy() const { return XControlledBy(3); }
  void SetL03xControlledBy(int d) { SetXControlledBy(3, d); }
  int L03yControlledBy() const { return YControlledBy(3); }
  void SetL03yControlledBy(int d) { SetYControlledBy(3, d); }
  int L04xControlledBy() const { return XControlledBy(4); }
  void SetL04xControlledBy(int d) { SetXControlledBy(4, d); }
  int L04yControlledBy() const { return YControlledBy(4); }
  void SetL04yControlledBy(int d) { SetYControlledBy(4, d); }
  int L05xControlledBy() const { return XControlledBy(5); }
  void SetL05xControlledBy(int d) { SetXControlledBy(5, d); }
  int L05yControlledBy() const { return YControlledBy(5); }
  void SetL05yControlledBy(int d) { SetYControlledBy(5, d); }
  int L06xControlledBy() const { return XControlledBy(6); }
  void SetL06xControlledBy(int d) { SetXControlledBy(6, d); }
  int L06yControlledBy() const { return YControlledBy(6); }
  void SetL06yControlledBy(int d) { SetYControlledBy(6, d); }
  int L07xControlledBy() const { return XControlledBy(7); }
  void SetL07xControlledBy(int d) { SetXControlledBy(7, d); }
  int L07yControlledBy() const { return YControlledBy(7); }
  void SetL07yControlledBy(int d) { SetYControlledBy(7, d); }
  int L08xControlledBy() const { return XControlledBy(8); }
  void SetL08xControlledBy(int d) { SetXControlledBy(8, d); }
  int L08yControlledBy() const { return YControlledBy(8); }
  void SetL08yControlledBy(int d) { SetYControlledBy(8, d); }
  int L09xControlledBy() const { return XControlledBy(9); }
  void SetL09xControlledBy(int d) { SetXControlledBy(9, d); }
  int L09yControlledBy() const { return YControlledBy(9); }
  void SetL09yControlledBy(int d) { SetYControlledBy(9, d); }
  int L10xControlledBy() const { return XControlledBy(10); }
  void SetL10xControlledBy(int d) { SetXControlledBy(10, d); }
  int L10yControlledBy() const { return YControlledBy(10); }
  void SetL10yControlledBy(int d) { SetYControlledBy(10, d); }
  int L11xControlledBy() const { return XControlledBy(11); }
  void SetL11xControlledBy(int d) { SetXControlledBy(11, d); }
  int L11yControlledBy() const { return YControlledBy(11); }
  void SetL11yControlledBy(int d) { SetYControlledBy(11, d); }
  int L12xControlledBy() const { return XControlledBy(12); }
  void SetL12xControlledBy(int d) { SetXControlledBy(12, d); }
  int L12yControlledBy() const { return YControlledBy(12); }
  void SetL12yControlledBy(int d) { SetYControlledBy(12, d); }
  int L13xControlledBy() const { return XControlledBy(13); }
  void SetL13xControlledBy(int d) { SetXControlledBy(13, d); }
  int L13yControlledBy() const { return YControlledBy(13); }
  void SetL13yControlledBy(int d) { SetYControlledBy(13, d); }
  int L14xControlledBy() const { return XControlledBy(14); }
  void SetL14xControlledBy(int d) { SetXControlledBy(14, d); }
  int L14yControlledBy() const { return YControlledBy(14); }
  void SetL14yControlledBy(int d) { SetYControlledBy(14, d); }
  int L15xControlledBy() const { return XControlledBy(15); }
  void SetL15xControlledBy(int d) { SetXControlledBy(15, d); }
  int L15yControlledBy() const { return YControlledBy(15); }
  void SetL15yControlledBy(int d) { SetYControlledBy(15, d); }
  int L16xControlledBy() const { return XControlledBy(16); }
  void SetL16xControlledBy(int d) { SetXControlledBy(16, d); }
  int L16yControlledBy() const { return YControlledBy(16); }
  void SetL16yControlledBy(int d) { SetYControlledBy(16, d); }

  // The owning chart's repaint-if-automatic; called after a join was made.
  TNotifyEvent OnChange;

 private:
  using TTable = std::array<int, 16>;
  void SetControlledBy(TTable& table, bool isX, int layer, int destination);
  static void CheckFollowers(const TTable& table, int layer);

  TCustomGrafon* m_owner;  // not owned
  TTable m_xControl{};     // layer L's X axis follows layer m_xControl[L - 1]
  TTable m_yControl{};     // likewise for Y
};

}  // namespace nox
