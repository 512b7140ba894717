#pragma once

#include <utility>

namespace tabulist::test {

// Keeps a replaceable function of the program (a test seam) as it was when the guard was
// made and puts it back when the guard ends, so a test's replacement never outlives it.
template <typename T>
class SeamRestorer {
public:
    explicit SeamRestorer(T& seam) : seam_(seam), saved_(seam) {}
    ~SeamRestorer() { seam_ = std::move(saved_); }
    SeamRestorer(const SeamRestorer&) = delete;
    SeamRestorer& operator=(const SeamRestorer&) = delete;

private:
    T& seam_;
    T saved_;
};

}  // namespace tabulist::test
