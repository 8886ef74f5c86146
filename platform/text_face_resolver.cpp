#include "platform/text_face_resolver.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <system_error>

namespace nox::detail {
namespace {

constexpr std::string_view kSans = "Liberation Sans";
constexpr std::string_view kSerif = "Liberation Serif";
constexpr std::string_view kMono = "Liberation Mono";

struct Alias {
  std::string_view name;  // lower case
  std::string_view family;
};

// Desktop font names and the metric-compatible family that stands in for each.
constexpr std::array kAliases = {Alias{"arial", kSans},
                                 Alias{"helvetica", kSans},
                                 Alias{"ms sans serif", kSans},
                                 Alias{"microsoft sans serif", kSans},
                                 Alias{"ms shell dlg", kSans},
                                 Alias{"ms shell dlg 2", kSans},
                                 Alias{"system", kSans},
                                 Alias{"tahoma", kSans},
                                 Alias{"verdana", kSans},
                                 Alias{"segoe ui", kSans},
                                 Alias{"sans-serif", kSans},
                                 Alias{"sans", kSans},
                                 Alias{"arimo", kSans},
                                 Alias{"liberation sans", kSans},
                                 Alias{"times new roman", kSerif},
                                 Alias{"times", kSerif},
                                 Alias{"ms serif", kSerif},
                                 Alias{"serif", kSerif},
                                 Alias{"tinos", kSerif},
                                 Alias{"liberation serif", kSerif},
                                 Alias{"courier new", kMono},
                                 Alias{"courier", kMono},
                                 Alias{"monospace", kMono},
                                 Alias{"cousine", kMono},
                                 Alias{"liberation mono", kMono}};

// Where the Liberation packages put their files, should fontconfig not know them.
constexpr std::array<std::string_view, 3> kLiberationFolders = {"/usr/share/fonts/truetype/liberation2",
                                                                "/usr/share/fonts/truetype/liberation",
                                                                "/usr/share/fonts/liberation"};

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::optional<std::string_view> AliasFamily(std::string_view name) {
  const std::string lower = Lower(name);
  for (const Alias& alias : kAliases)
    if (alias.name == lower) return alias.family;
  return std::nullopt;
}

std::string_view StyleName(bool bold, bool italic) {
  if (bold && italic) return "BoldItalic";
  if (bold) return "Bold";
  if (italic) return "Italic";
  return "Regular";
}

// The family as a file name stem: letters and digits only, so that a font name read from
// outside can never reach another folder.
std::string FileStem(std::string_view family) {
  std::string stem;
  for (char c : family)
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) stem += c;
  return stem;
}

bool IsFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

void AddIfFile(std::vector<FaceFile>& out, const std::filesystem::path& path) {
  if (!IsFile(path)) return;
  FaceFile file{path.string(), 0};
  if (std::find(out.begin(), out.end(), file) == out.end()) out.push_back(std::move(file));
}

void AddFromFolder(std::vector<FaceFile>& out, std::string_view folder, std::string_view family, bool bold,
                   bool italic) {
  const std::string stem = FileStem(family);
  if (stem.empty()) return;
  const std::filesystem::path base(folder);
  AddIfFile(out, base / (stem + "-" + std::string(StyleName(bold, italic)) + ".ttf"));
}

// A configuration of our own, loaded on first use and released at exit (fontconfig stores
// offsets rather than pointers, so leak checkers cannot see that it is still referenced).
class FontconfigConfig {
 public:
  FontconfigConfig() : m_config(FcInitLoadConfigAndFonts()) {}
  ~FontconfigConfig() {
    if (m_config != nullptr) FcConfigDestroy(m_config);
  }
  FontconfigConfig(const FontconfigConfig&) = delete;
  FontconfigConfig& operator=(const FontconfigConfig&) = delete;
  FcConfig* Get() const { return m_config; }

 private:
  FcConfig* m_config;
};

FcConfig* Fontconfig() {
  static const FontconfigConfig config;
  return config.Get();
}

bool HasFamily(FcPattern* pattern, std::string_view family) {
  const std::string wanted = Lower(family);
  FcChar8* value = nullptr;
  for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &value) == FcResultMatch; ++i)
    if (Lower(reinterpret_cast<const char*>(value)) == wanted) return true;
  return false;
}

// fontconfig's best scalable face for a family; with exactFamily only a face of that family.
void AddFontconfigMatch(std::vector<FaceFile>& out, std::string_view family, bool bold, bool italic,
                        bool exactFamily) {
  FcConfig* config = Fontconfig();
  if (config == nullptr) return;
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return;
  const std::string familyZ(family);
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(familyZ.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return;
  FcChar8* file = nullptr;
  int index = 0;
  if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
      (!exactFamily || HasFamily(match, family))) {
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
    FaceFile face{reinterpret_cast<const char*>(file), index};
    if (IsFile(face.path) && std::find(out.begin(), out.end(), face) == out.end())
      out.push_back(std::move(face));
  }
  FcPatternDestroy(match);
}

void AddInstalledLiberation(std::vector<FaceFile>& out, std::string_view family, bool bold, bool italic) {
  AddFontconfigMatch(out, family, bold, italic, true);
  for (std::string_view folder : kLiberationFolders) AddFromFolder(out, folder, family, bold, italic);
}

}  // namespace

std::vector<FaceFile> FaceCandidates(std::string_view name, bool bold, bool italic,
                                     const std::string& fontDirectory) {
  std::vector<FaceFile> out;
  const std::optional<std::string_view> alias = AliasFamily(name);
  if (!fontDirectory.empty()) {
    AddFromFolder(out, fontDirectory, alias.value_or(name), bold, italic);
    AddFromFolder(out, fontDirectory, kSans, bold, italic);
    AddFromFolder(out, fontDirectory, kSans, false, false);
    return out;
  }
  if (alias) AddInstalledLiberation(out, *alias, bold, italic);
  AddFontconfigMatch(out, name, bold, italic, false);
  AddInstalledLiberation(out, kSans, bold, italic);
  AddInstalledLiberation(out, kSans, false, false);
  return out;
}

}  // namespace nox::detail
