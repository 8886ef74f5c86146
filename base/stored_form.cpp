#include "base/stored_form.h"

namespace nox {

namespace {
std::string ErrorText(const std::string& path, int line, int column, const std::string& reason) {
  std::string text;
  if (line > 0) text = "line " + std::to_string(line) + ", column " + std::to_string(column) + ": ";
  if (!path.empty()) text += path + ": ";
  return text + reason;
}
}  // namespace

EStoredFormError::EStoredFormError(std::string path, int line, int column, std::string reason)
    : ENoxError(ErrorText(path, line, column, reason)),
      m_path(std::move(path)),
      m_line(line),
      m_column(column),
      m_reason(std::move(reason)) {}

const TStoredProperty* TStoredTable::Find(std::string_view name) const {
  for (const TStoredProperty& p : m_properties) {
    if (p.name == name) return &p;
  }
  return nullptr;
}

TStoredTableCopy::TStoredTableCopy(const TStoredTable& table, const TObject* reference) {
  m_properties = table.Properties();
  m_describes = [&table](const TObject& o) { return table.Describes(o); };
  for (TStoredProperty& p : m_properties) {
    if (p.kind == skObject) {
      // The accessor hands out the owned part for reading and writing; here it is only read.
      const TObject* part = reference ? &p.part(const_cast<TObject&>(*reference)) : nullptr;
      m_nested.push_back(std::make_unique<TStoredTableCopy>(*p.table, part));
      p.table = m_nested.back().get();
    } else if (p.written) {
      p.declaredDefault.reset();
      if (reference) p.declaredDefault = p.get(*reference);
    }
  }
}

namespace detail {
void TableMisuse(std::string_view property, std::string_view what) {
  std::string text = "stored-form table";
  if (!property.empty()) text += ", property " + std::string(property);
  text += ": ";
  text += what;
  throw std::logic_error(text);
}
}  // namespace detail

}  // namespace nox
