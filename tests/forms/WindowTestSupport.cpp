#include "forms/WindowTestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <cstring>

#include "app/Application.h"
#include "forms/Hauptfenster/Clock.h"
#include "app/WindowSet.h"
#include "listing/LinesSink.h"

namespace tabulist::test {

namespace {

// The program's own application object, so that errors pass through its notify().
class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_forms";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<TApplication>(argc, argv);
        SetErrorDisplayHook(
            [](const QString&, const QString& text) { ShownErrors().append(text); });
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<TApplication> app_;
};

[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}  // namespace

QStringList& ShownErrors() {
    static QStringList errors;
    return errors;
}

TSavedOptions DefaultRecord() {
    TSavedOptions r{};
    r.ShowAttributes = r.ShowSize = r.ShowDate = 1;
    r.ShowSearchOptions = 1;
    r.FooterFileCount = 1;
    r.setFontName(QStringLiteral("DejaVu Sans Mono"));
    r.FontColor = int32_t(0x80000008u);
    r.FontHeight = -13;
    r.FontSize = 10;
    r.BackgroundColor = int32_t(0x80000005u);
    return r;
}

WindowTest::WindowTest() {
    char buffer[4096];
    previousDirectory_ = getcwd(buffer, sizeof buffer) ? QByteArray(buffer) : QByteArray("/");
    files_.file("alpha.txt", 10);
    files_.file("beta.dat", 2000);
    files_.file(".hidden", 5);
    files_.dir("sub");
    files_.file("sub/inner.txt", 3);
    if (chdir(files_.root().constData()) != 0) throw std::runtime_error("chdir");
    SavedOptions = TSavedOptions{};
    OptionsChanged = false;
    ShownErrors().clear();
    SetCurrentDateTimeSource([] { return QDateTime(QDate(2000, 2, 29), QTime(10, 30, 15)); });
}

WindowTest::~WindowTest() {
    DestroyWindowSet();
    SetCurrentDateTimeSource({});
    [[maybe_unused]] int rc = chdir(previousDirectory_.constData());
}

void WindowTest::Start(const TSavedOptions* record) {
    if (record) StoreOptionsRecord(programDirectory() + QStringLiteral("Tabulist.sav"), *record);
    SetProgramDirectory(programDirectory());
    CreateWindowSet();
    window_ = Windows().Haupt;
}

void WindowTest::Show() {
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
    Wait();
}

void AnswerNextModal(std::function<void(QDialog&)> action, const char* className) {
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, action, className] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->inherits(className)) {
            timer->stop();
            timer->deleteLater();
            action(*dialog);
        } else if (clock->elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal dialog appeared";
        }
    });
    timer->start(10);
}

void Wait(int ms) {
    QElapsedTimer clock;
    clock.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    } while (clock.elapsed() < ms);
}

QString WithoutParentLine(QString text) {
    static const QRegularExpression parent(QStringLiteral("^\\[\\.\\.\\][^\n]*\n"),
                                           QRegularExpression::MultilineOption);
    return text.remove(parent);
}

QString ExpectedListing(THaupt& w, const QString& directory) {
    ListingOptions o;
    o.directory = directory;
    o.maskText = w.ComboBox2->currentText();
    o.columnIndex = w.ComboBox1->currentIndex();
    o.showAttributes = w.CheckBox3->isChecked();
    o.showSize = w.CheckBox4->isChecked();
    o.showDate = w.CheckBox5->isChecked();
    o.showUnit = w.CheckBox6->isChecked();
    o.sizeUnitIndex = w.ComboBox9->currentIndex();
    o.showHidden = w.CheckBox1->isChecked();
    o.attributeClass = w.RadioGroup1->ItemIndex();
    o.footerFileCount = SavedOptions.FooterFileCount;
    o.driveText = w.DriveComboBox1->Text();
    o.driveLetter = w.DriveComboBox1->DriveLetter();
    o.regional = RegionalSettings::fromLocale();
    LinesSink sink;
    BuildListingReport(o, sink);
    return WithoutParentLine(sink.lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

}  // namespace tabulist::test
