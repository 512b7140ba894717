// File masks matched without regard to case.
#include "platform/MaskMatcher.h"

#include <QList>

#include "platform/NameCoding.h"

namespace tabulist {
namespace {

bool wildMatch(std::u32string_view mask, std::u32string_view name) {
    size_t m = 0, n = 0;
    size_t starM = std::u32string_view::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == U'*') {
            starM = m++;
            starN = n;
        } else if (m < mask.size() && (mask[m] == U'?' || mask[m] == name[n])) {
            ++m;
            ++n;
        } else if (starM != std::u32string_view::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == U'*') ++m;
    return m == mask.size();
}

}  // namespace

MaskMatcher::MaskMatcher(const QString& mask) {
    for (char32_t c : mask.toUcs4()) {
        if (c == U'*' && !mask_.empty() && mask_.back() == U'*') continue;
        mask_.push_back(FoldCase(c));
    }
    all_ = mask_ == U"*" || mask_ == U"*.*";
    dotStarTail_ = mask_.size() >= 2 && mask_.ends_with(U".*");
    dotTail_ = mask_.size() >= 2 && mask_.back() == U'.';
}

bool MaskMatcher::matches(std::u32string_view name) const {
    if (all_) return true;
    if (mask_.empty()) return false;
    if (wildMatch(mask_, name)) return true;
    // "x.*" also takes "x", and "x." means "x" without an extension, as users of
    // the original listing expect from "*." and "a*.".
    const size_t tail = dotStarTail_ ? 2 : dotTail_ ? 1 : 0;
    return tail != 0 && name.find(U'.') == std::u32string_view::npos &&
           wildMatch(std::u32string_view(mask_).substr(0, mask_.size() - tail), name);
}

bool MatchesMask(const QString& name, const QString& mask) {
    std::u32string folded;
    for (char32_t c : name.toUcs4()) folded.push_back(FoldCase(c));
    return MaskMatcher(mask).matches(folded);
}

}  // namespace tabulist
