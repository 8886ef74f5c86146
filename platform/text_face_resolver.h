#pragma once
// Which face files may stand for a font name and style (the rules are in platform/text_fonts.h).

#include <string>
#include <string_view>
#include <vector>

namespace nox::detail {

struct FaceFile {
  std::string path;
  int index = 0;  // face index inside a collection file
  friend bool operator==(const FaceFile&, const FaceFile&) = default;
};

// The candidate files in order of preference, ending with the Liberation Sans last resort. Files
// are not opened here: the caller loads the first that works. With a font folder only files of
// that folder are named; an empty folder means the installed fonts (fontconfig).
std::vector<FaceFile> FaceCandidates(std::string_view name, bool bold, bool italic,
                                     const std::string& fontDirectory);

}  // namespace nox::detail
