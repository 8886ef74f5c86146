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

namespace nox::detail {

// A value set for the lifetime of a scope; the old one comes back at its end, also when an error
// leaves the scope early.
template <class T>
class TValueScope {
 public:
  TValueScope(T& variable, T value) : m_variable(variable), m_old(variable) { m_variable = value; }
  ~TValueScope() { m_variable = m_old; }
  TValueScope(const TValueScope&) = delete;
  TValueScope& operator=(const TValueScope&) = delete;

 private:
  T& m_variable;
  T m_old;
};

}  // namespace nox::detail
