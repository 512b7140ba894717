#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTextDocument>
#include <cmath>

#include "app/WindowSet.h"
#include "forms/About/About.h"
#include "forms/Druckfortschritt/Druckfortschritt.h"
#include "forms/PEnde/PEnde.h"
#include "forms/Zusatz/Zusatz.h"
#include "platform/widgets/DriveComboBox.h"
#include "settings/AddedOptions.h"
#include "support/WindowTest.h"

namespace tabulist::test {
namespace {

// What the user reads: the caption without its mnemonic marks.
QString Shown(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    return text.replace(u'\x01', u'&');
}

int TextWidth(const QWidget* w, const QString& text) {
    int widest = 0;
    for (const QString& line : Shown(text).split(u'\n'))
        widest = std::max(widest, w->fontMetrics().horizontalAdvance(line));
    return widest;
}

// The part of a widget that its parents leave visible, up to its window, in its own
// coordinates: a caption drawn past a parent's edge cannot be read.
QRect VisibleRect(const QWidget* w) {
    const QWidget* window = w->window();
    const QPoint origin = w->mapTo(window, QPoint());
    QRect seen(origin, w->size());
    for (const QWidget* a = w; !a->isWindow();) {
        a = a->parentWidget();
        seen &= QRect(a->mapTo(window, QPoint()), a->size());
    }
    return seen.translated(-origin);
}

struct Room {
    QString what;
    int needed;
    int room;
};

// The room a widget's style leaves for each of its texts, and the width each needs.
std::vector<Room> Rooms(QWidget* w) {
    std::vector<Room> out;
    const QFontMetrics fm = w->fontMetrics();
    auto add = [&](const QString& text, int needed, int room) {
        if (!Shown(text).trimmed().isEmpty()) out.push_back({text, needed, room});
    };
    if (auto* box = qobject_cast<QCheckBox*>(w); box || qobject_cast<QRadioButton*>(w)) {
        auto* button = static_cast<QAbstractButton*>(w);
        QStyleOptionButton opt;
        opt.initFrom(w);
        opt.text = button->text();
        const QRect r = w->style()->subElementRect(
            box ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &opt, w);
        const QRect seen = r.intersected(VisibleRect(w));
        add(button->text(), TextWidth(w, button->text()), seen.width());
        add(button->text() + QStringLiteral(" (height)"), fm.height(), seen.height());
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(w);
        opt.text = button->text();
        const QRect r = w->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, w);
        const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        add(button->text(), TextWidth(w, button->text()) + icon,
            r.intersected(VisibleRect(w)).width());
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        int room = 0;
        if (combo->lineEdit() != nullptr) {
            // The line edit keeps 2 pixels each side and one for the caret.
            room = combo->lineEdit()->contentsRect().width() - 4 - 1;
        } else {
            QStyleOptionComboBox opt;
            opt.initFrom(w);
            room = w->style()
                       ->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, w)
                       .width() -
                   4;
        }
        for (int k = 0; k < combo->count(); ++k) {
            const int icon = combo->itemIcon(k).isNull() ? 0 : combo->iconSize().width() + 4;
            add(combo->itemText(k), TextWidth(w, combo->itemText(k)) + icon, room);
        }
        if (combo->lineEdit() != nullptr)
            add(combo->currentText(), TextWidth(w, combo->currentText()), room);
    } else if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap()) {
        const int room =
            label->contentsRect().intersected(VisibleRect(w)).width() - 2 * label->margin();
        if (Qt::mightBeRichText(label->text()) && label->textFormat() != Qt::PlainText) {
            QTextDocument doc;
            doc.setDefaultFont(label->font());
            doc.setDocumentMargin(0);
            doc.setHtml(label->text());
            add(doc.toPlainText(), int(std::ceil(doc.idealWidth())), room);
        } else {
            add(label->text(), TextWidth(w, label->text()), room);
        }
    } else if (auto* spin = qobject_cast<QSpinBox*>(w)) {
        // The size hint makes room for the widest of the range and the special text.
        add(spin->specialValueText(), spin->sizeHint().width(), w->width());
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
        QStyleOptionGroupBox opt;
        opt.initFrom(w);
        opt.text = group->title();
        opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect r =
            w->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, w);
        add(group->title(), TextWidth(w, group->title()), w->width() - std::max(r.left(), 0));
    }
    return out;
}

// Every text of every visible control of the window fits the room it is drawn in.
void ExpectCaptionsFit(QWidget* window) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    int checked = 0;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || qobject_cast<TDriveComboBox*>(w))
            continue;  // drives are data
        for (const Room& r : Rooms(w)) {
            ++checked;
            EXPECT_LE(r.needed, r.room)
                << window->objectName().toStdString() << "." << w->objectName().toStdString()
                << " \"" << r.what.toStdString() << "\" at scale "
                << qgetenv("QT_SCALE_FACTOR").toStdString();
        }
    }
    EXPECT_GT(checked, 0);
}

TEST(CaptionRoom, EveryCaptionFitsItsControl) {
    WindowTest t;
    t.StartShown();
    THaupt& w = t.window();
    w.showNormal();
    // At its first size, the additions' controls included.
    EXPECT_EQ(w.size(), QSize(640, 336));
    EXPECT_TRUE(w.SubfoldersBox->isVisibleTo(&w));
    ExpectCaptionsFit(&w);
    AddedOptions.Subfolders = true;  // brings the more options dialog's tree panel
    for (QWidget* dialog :
         std::initializer_list<QWidget*>{Windows().Zusatzformular, Windows().Info,
                                         Windows().PEDialog, Windows().Drucken, w.FontDialog1}) {
        dialog->show();
        ExpectCaptionsFit(dialog);
        dialog->hide();
    }
    AddedOptions = TAddedOptions();
}

// The scale factor is read once per process: the scaled check runs in a child.
TEST(CaptionRoom, EveryCaptionFitsAtScaleOneAndAHalf) {
    if (!qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) GTEST_SKIP() << "this is the scaled run";
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("1.5"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=CaptionRoom.EveryCaptionFitsItsControl")});
    ASSERT_TRUE(child.waitForFinished(120000));
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

}  // namespace
}  // namespace tabulist::test
