#include "scale/datetime_month_names.h"

#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <string_view>

namespace nox {

namespace {

constexpr std::size_t kMaxNameBytes = 32;

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c >= 0 && c < 0x20; });
}

bool IsUtf8CodeSet(std::string_view codeSet) { return codeSet == "UTF-8" || codeSet == "utf8"; }

// Names live as long as the locale object; owning it here frees it on every path.
class TLocale {
 public:
  explicit TLocale(const std::string& name) : m_locale(newlocale(LC_TIME_MASK, name.c_str(), nullptr)) {}
  ~TLocale() {
    if (m_locale != nullptr) freelocale(m_locale);
  }
  TLocale(const TLocale&) = delete;
  TLocale& operator=(const TLocale&) = delete;
  locale_t Get() const { return m_locale; }

 private:
  locale_t m_locale;
};

TMonthNames& CurrentNames() {
  static TMonthNames names = LocaleShortMonthNames("").value_or(EnglishShortMonthNames());
  return names;
}

}  // namespace

const TMonthNames& EnglishShortMonthNames() {
  static const TMonthNames names = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  return names;
}

std::optional<TMonthNames> LocaleShortMonthNames(const std::string& localeName) {
  const TLocale locale(localeName);
  if (locale.Get() == nullptr) return std::nullopt;
  const char* codeSet = nl_langinfo_l(CODESET, locale.Get());
  const bool utf8 = codeSet != nullptr && IsUtf8CodeSet(codeSet);
  static constexpr std::array<nl_item, 12> kItems = {ABMON_1, ABMON_2, ABMON_3, ABMON_4,  ABMON_5,  ABMON_6,
                                                     ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
  TMonthNames names;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const char* name = nl_langinfo_l(kItems[i], locale.Get());
    if (name == nullptr) return std::nullopt;
    const std::string_view text(name);
    if (text.empty() || text.size() > kMaxNameBytes || HasControlCharacter(text)) return std::nullopt;
    if (!utf8 && !IsAscii(text)) return std::nullopt;
    names[i] = text;
  }
  return names;
}

const TMonthNames& ShortMonthNames() { return CurrentNames(); }

void SetShortMonthNames(const TMonthNames& names) { CurrentNames() = names; }

}  // namespace nox
