#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "listing/ListingEngine.h"
#include "support/Fixture.h"

namespace tabulist::test {
namespace {

struct CountingSink : ListingSink {
    qsizetype characters = 0;
    void clear() override { characters = 0; }
    void appendLine(const QString& line) override { characters += line.size(); }
};

// Best of three, in seconds: the machine is shared.
double ListingSeconds(const QString& directory) {
    ListingOptions options;
    options.directory = directory;
    options.footerFileCount = options.footerTotalSize = true;
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        CountingSink sink;
        QElapsedTimer clock;
        clock.start();
        BuildListingReport(options, sink);
        best = std::min(best, clock.nsecsElapsed() / 1e9);
    }
    return best;
}

// Eight times the entries may cost eight times the time, with room for noise, but not the
// sixty-four times of a step that is quadratic in the number of entries.
TEST(Scaling, ListingTimeGrowsLinearlyWithTheEntries) {
    Fixture small, large;
    for (int i = 0; i < 20000; ++i) {
        const QByteArray name = "entry-" + QByteArray::number(i * 7919 % 20000) + ".dat";
        if (i < 2500) small.file(name);
        large.file(name);
    }
    const double a = ListingSeconds(small.rootText());
    const double b = ListingSeconds(large.rootText());
    EXPECT_LT(b, 24 * a + 0.05) << a << " s for 2,500, " << b << " s for 20,000";
}

}  // namespace
}  // namespace tabulist::test
