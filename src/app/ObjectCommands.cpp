#include "app/ObjectCommands.h"

#include <vector>

namespace velmora {
namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }

struct Word {
    size_t at;
    std::string_view text;
};

std::vector<Word> Words(std::string_view s) {
    std::vector<Word> out;
    for (size_t i = 0; i < s.size();) {
        while (i < s.size() && Blank(s[i])) ++i;
        const size_t start = i;
        while (i < s.size() && !Blank(s[i])) ++i;
        if (i > start) out.push_back({start, s.substr(start, i - start)});
    }
    return out;
}

// Two characters: a table ("/", "\" or an overlay letter or digit) and the
// symbol. An overlay digit before a digit would be a coordinate's part.
bool LooksLikeSymbol(std::string_view w) {
    if (w.size() != 2) return false;
    const char t = w[0], c = w[1];
    const bool overlay = (t >= 'A' && t <= 'Z') || (t >= '0' && t <= '9');
    if (!(t == '/' || t == '\\' || overlay)) return false;
    return c > ' ' && c <= '~' && !(overlay && c >= '0' && c <= '9');
}

}  // namespace

ObjectWordsRead ReadObjectWords(std::string_view args, bool symbol) {
    const std::vector<Word> words = Words(args);
    const char* usage = symbol ? kObjectAddUsage : kObjectMoveUsage;
    if (words.size() < (symbol ? 4u : 3u)) return {std::nullopt, usage};
    ObjectWords out;
    out.name = std::string(words[0].text);
    std::string lastProblem;
    // The position is the shortest run of words that reads as one and is
    // followed by a symbol (or, for a move, runs to the end).
    for (size_t k = 2; k + 1 <= words.size() - (symbol ? 1 : 0) && k <= 8; ++k) {
        if (!symbol && k + 1 != words.size()) continue;
        const size_t from = words[1].at, to = words[k].at + words[k].text.size();
        const PositionRead where = ReadPosition(args.substr(from, to - from));
        if (!where.position) {
            lastProblem = where.problem;
            continue;
        }
        if (symbol) {
            if (k + 1 >= words.size() || !LooksLikeSymbol(words[k + 1].text)) continue;
            out.symbolTable = words[k + 1].text[0];
            out.symbolCode = words[k + 1].text[1];
            if (k + 2 < words.size()) out.comment = std::string(args.substr(words[k + 2].at));
            while (!out.comment.empty() && Blank(out.comment.back())) out.comment.pop_back();
        }
        out.position = *where.position;
        return {std::move(out), {}};
    }
    if (!symbol && !lastProblem.empty()) return {std::nullopt, lastProblem};
    return {std::nullopt, std::string(symbol ? "No position followed by a symbol (such as /o) was found. " : "") + usage};
}

}  // namespace velmora
