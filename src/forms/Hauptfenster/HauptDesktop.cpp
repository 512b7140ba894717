// Additions for the desktop: opening a folder handed over from outside (the command line,
// a drop from a file manager) and View > Refresh.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>

#include "forms/Hauptfenster/Hauptfenster.h"
#include "platform/Errors.h"
#include "platform/PathCheck.h"

namespace tabulist {

namespace {

// The first local file or folder a drag carries, "" for none.
QString DroppedPath(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}

// Takes drags of local files and folders wherever it is installed; text drags go on to
// the widget as before.
class FolderDrops : public QObject {
public:
    explicit FolderDrops(THaupt* window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::DragEnter:
            case QEvent::DragMove: {
                auto* drag = static_cast<QDragMoveEvent*>(event);
                if (DroppedPath(drag->mimeData()).isEmpty()) break;
                drag->acceptProposedAction();
                return true;
            }
            case QEvent::Drop: {
                auto* drop = static_cast<QDropEvent*>(event);
                const QString path = DroppedPath(drop->mimeData());
                if (path.isEmpty()) break;
                drop->acceptProposedAction();
                window_->OpenFolder(QFile::encodeName(path));
                return true;
            }
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    THaupt* window_;
};

QByteArray FolderOf(const QByteArray& path) {
    QByteArray folder = path;
    while (folder.size() > 1 && folder.endsWith('/')) folder.chop(1);
    const qsizetype slash = folder.lastIndexOf('/');
    if (slash < 0) return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : folder.left(slash);
}

}  // namespace

void THaupt::CreateDesktopAdditions() {
    Ansicht1->addSeparator();
    RefreshItem =
        AddMenuItem(Ansicht1, QStringLiteral("&Refresh"), "RefreshItem", Qt::CTRL | Qt::Key_R, 1);
    connect(RefreshItem, &QAction::triggered, this, [this] { RefreshItemClick(); });

    setAcceptDrops(true);
    auto* drops = new FolderDrops(this);
    installEventFilter(drops);
    Memo1->viewport()->installEventFilter(drops);
}

void THaupt::RefreshItemClick() { BuildListing(); }

void THaupt::OpenFolder(const QByteArray& rawPath) {
    QByteArray folder = rawPath;
    PathCheck check = CheckPath(folder);
    if (check.kind == PathCheck::NotDirectory) {
        folder = FolderOf(folder);
        check = CheckPath(folder);
    }
    if (check.kind != PathCheck::Directory)
        throw TabulistError(QStringLiteral("Directory not found: ") + QFile::decodeName(rawPath));
    // The list moves the drive selector along when the folder lies on another drive, and
    // its report of the move lists the folder; standing there already, nothing reports.
    while (folder.size() > 1 && folder.endsWith('/')) folder.chop(1);
    if (folder == DirectoryListBox1->CurrentDirectoryRaw())
        BuildListing();
    else
        DirectoryListBox1->OpenDirectory(folder);
}

}  // namespace tabulist
