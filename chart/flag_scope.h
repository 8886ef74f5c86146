#pragma once
// A flag set for the lifetime of a scope and cleared at its end, also when an error (an event
// handler's, say) leaves the scope early.

namespace nox::detail {

class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
  ~TFlagScope() { m_flag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& m_flag;
};

}  // namespace nox::detail
