#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tabulist {

// True when name matches mask: case-insensitive, * any run, ? one character,
// "*.*" and "*" match everything, a mask ending in ".*" also matches a name without a dot.
bool MatchesMask(const QString& name, const QString& mask);

// A file mask prepared once for many names: case-folded, runs of "*" collapsed.
// Names are given case-folded (FoldCase). Matching costs at most
// mask length x name length steps: only the last "*" is ever backtracked to.
class MaskMatcher {
public:
    explicit MaskMatcher(const QString& mask);

    bool isEmpty() const { return mask_.empty(); }
    bool matchesAll() const { return all_; }
    bool matches(std::u32string_view foldedName) const;

private:
    std::u32string mask_;
    bool all_ = false;
    bool dotStarTail_ = false;  // "x.*" also matches "x"
    bool dotTail_ = false;      // "x." matches "x": names without an extension
};

}  // namespace tabulist
