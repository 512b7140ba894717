#include "forms/Hauptfenster/BusyRun.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "listing/ChecksumQueue.h"

namespace tabulist {

BusyRun::BusyRun(TStatusBar* statusBar, const QString& doing)
    : statusBar_(statusBar), doing_(doing), pathPanel_(statusBar->PanelText(3)) {
    QCoreApplication::instance()->installEventFilter(this);
    shown_.start();
    started_.start();
    statusBar_->SetPanelText(1, doing_ + QStringLiteral(" ..."));
}

BusyRun::~BusyRun() {
    QCoreApplication::instance()->removeEventFilter(this);
    statusBar_->SetPanelText(3, pathPanel_);
}

void BusyRun::show(const QString& text) {
    statusBar_->SetPanelText(3, text);
    shown_.restart();
}

void BusyRun::clearPanels() {
    statusBar_->SetPanelText(1, QString());
    statusBar_->SetPanelText(2, QString());
}

ListingHooks BusyRun::hooks() {
    ListingHooks hooks;
    hooks.processMessages = [this] {
        // Once checksums are being read, their progress says more than the entries found.
        if (++entries_ % 256 == 0 && !checksums_ && shown_.elapsed() >= 100)
            show(QStringLiteral("%1: %L2 entries").arg(doing_).arg(entries_));
        QCoreApplication::processEvents();
    };
    hooks.abandoned = [this] { return stopped_; };
    hooks.activity = [this](const QString& glyphs) { statusBar_->SetPanelText(2, glyphs); };
    hooks.checksumProgress = [this](int64_t done, int64_t total) {
        checksums_ = true;
        show(ChecksumProgressText(done, total, double(started_.elapsed()) / 1000));
    };
    const auto report = [this](const QString& path, const QString& message) {
        unreadable_ << QStringLiteral("cannot read %1: %2").arg(path, message);
    };
    hooks.unreadableFolder = report;
    hooks.unreadableFile = report;
    return hooks;
}

bool BusyRun::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) stopped_ = true;
            return true;
        case QEvent::Close:
            stopped_ = true;
            event->ignore();
            return true;
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
    }
}

}  // namespace tabulist
