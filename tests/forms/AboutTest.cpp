#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <vector>

#include "forms/About/About.h"
#include "forms/ProjectInfo.h"
#include "support/Events.h"
#include "support/Seam.h"

namespace tabulist {
namespace {

using test::AnswerNextModal;

class About : public ::testing::Test {
protected:
    void SetUp() override {
        TInfo::OpenUrl = [this](const QUrl& url) { opened.push_back(url.toString()); };
    }

    static QColor CaptionColor(QPushButton* button) {
        return button->palette().color(QPalette::ButtonText);
    }

    test::SeamRestorer<decltype(TInfo::OpenUrl)> keep{TInfo::OpenUrl};
    std::vector<QString> opened;
    TInfo info;
};

TEST_F(About, AddressButtonsOpenTheirAddressesAndStayRed) {
    const QColor red(255, 0, 0);
    const QString mail = QStringLiteral("mailto:") + QString::fromUtf8(project::EMailAddress);
    const QString web = QString::fromUtf8(project::WebAddress);

    AnswerNextModal([this](QDialog& d) {
        info.BitBtn2->click();
        info.BitBtn2->click();
        d.accept();
    });
    info.exec();
    EXPECT_EQ(opened, (std::vector<QString>{mail, mail}));
    EXPECT_EQ(CaptionColor(info.BitBtn2), red);
    EXPECT_NE(CaptionColor(info.BitBtn3), red);

    QColor mailColourOnReopen;
    AnswerNextModal([&](QDialog& d) {
        mailColourOnReopen = CaptionColor(info.BitBtn2);
        info.BitBtn3->click();
        d.accept();
    });
    info.exec();
    EXPECT_EQ(mailColourOnReopen, red);
    EXPECT_EQ(opened.back(), web);
    EXPECT_EQ(CaptionColor(info.BitBtn3), red);
}

TEST_F(About, EscapeDoesNothingAndEnterClosesFromTheFocusedOk) {
    bool openAfterEscape = false;
    QWidget* focus = nullptr;
    AnswerNextModal([&](QDialog& d) {
        QTest::keyClick(&d, Qt::Key_Escape);
        test::ProcessEvents();
        openAfterEscape = d.isVisible();
        focus = d.focusWidget();
        QTest::keyClick(d.focusWidget(), Qt::Key_Return);
    });
    info.exec();
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(focus, info.BitBtn1);
    EXPECT_FALSE(info.isVisible());
    EXPECT_TRUE(opened.empty());
}

}  // namespace
}  // namespace tabulist
