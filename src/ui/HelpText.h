#pragma once
// The help the program shows: the README's sections on using it.
#include <string>
#include <string_view>

namespace velmora {

// The README as it was when the program was built.
std::string_view ReadmeText();

// Its user sections: from "## velmora" up to the tools' reference
// ("## velmora-decode"), which with the source layout is for developers.
inline std::string UserHelp() {
    const std::string_view all = ReadmeText();
    const size_t from = all.find("\n## velmora\n");
    if (from == std::string_view::npos) return std::string(all);
    const size_t to = all.find("\n## velmora-decode", from + 1);
    return std::string(all.substr(from + 1, to == std::string_view::npos ? std::string_view::npos : to - from - 1));
}

}  // namespace velmora
