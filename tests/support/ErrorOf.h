#pragma once

#include <QString>

namespace tabulist::test {

// The message of the error of class E that call raises, or "<no error>" when it raises none
// (any other error passes through and fails the test).
template <typename E, typename Call>
QString ErrorOf(Call&& call) {
    try {
        call();
    } catch (const E& e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}

}  // namespace tabulist::test
