// The folder list and the file list.
#include "platform/controls.h"
#include "platform/controls_internal.h"
#include "store/files.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QStyle>

namespace platform {

namespace {

QString cleanFolder(const QString& path)
{
    if (path.isEmpty())
        return path;
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// "/", "/a", "/a/b" for "/a/b"; from top on ("/a", "/a/b") when folder lies in top.
QStringList folderChain(const QString& folder, const QString& top = QString())
{
    const bool fromTop = !top.isEmpty() && top != QLatin1String("/");
    QStringList chain{fromTop ? top : QStringLiteral("/")};
    QString path = fromTop ? top : QString();
    for (const QString& part : folder.mid(path.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path += QLatin1Char('/') + part;
        chain.append(path);
    }
    return chain;
}

} // namespace

DirectoryListBox::DirectoryListBox(QWidget* parent, const QString& name) : Control(parent, name)
{
    list_ = new QListWidget(this);
    list_->setGeometry(rect());
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem*) {
        if (onClick)
            callHandler(onClick);
    });
    QObject::connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) { openSelected(); });
}

void DirectoryListBox::setDirectory(const QString& path)
{
    const QString folder = cleanFolder(path);
    if (folder == directory_ || !withinTop(folder))
        return;
    directory_ = folder;
    fill();
    if (onChange)
        callHandler(onChange);
}

void DirectoryListBox::setTop(const QString& folder)
{
    top_ = cleanFolder(folder);
    if (withinTop(directory_))
        fill();
    else
        setDirectory(top_);
}

bool DirectoryListBox::withinTop(const QString& folder) const
{
    if (top_.isEmpty() || top_ == QLatin1String("/"))
        return true;
    return folder == top_ || folder.startsWith(top_ + QLatin1Char('/'));
}

void DirectoryListBox::update() { fill(); }

void DirectoryListBox::sizeChanged()
{
    list_->setGeometry(rect());
    if (width() > 0)
        fillIfStale();
    Control::sizeChanged();
}

void DirectoryListBox::fill()
{
    stale_ = true;
    if (width() > 0)
        fillNow();
}

void DirectoryListBox::fillIfStale() const
{
    if (stale_)
        fillNow();
}

void DirectoryListBox::fillNow() const
{
    stale_ = false;
    list_->clear();
    paths_.clear();
    if (directory_.isEmpty())
        return;
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QStringList chain = folderChain(directory_, top_);
    for (int depth = 0; depth < chain.size(); ++depth) {
        const bool wholeTree = depth == 0 && chain[0] == QLatin1String("/");
        const QString name = wholeTree ? chain[0] : QFileInfo(chain[depth]).fileName();
        list_->addItem(new QListWidgetItem(open, QString(depth * 2, QLatin1Char(' ')) + name));
        paths_.append(chain[depth]);
    }
    const QString indent(chain.size() * 2, QLatin1Char(' '));
    for (const QString& sub : files::listFolders(directory_)) {
        list_->addItem(new QListWidgetItem(closed, indent + sub));
        paths_.append(files::joinPath(directory_, sub));
    }
    list_->setCurrentRow(chain.size() - 1);
}

QListWidget* DirectoryListBox::listWidget() const
{
    fillIfStale();
    return list_;
}

int DirectoryListBox::count() const
{
    fillIfStale();
    return paths_.size();
}

int DirectoryListBox::itemIndex() const
{
    fillIfStale();
    return list_->currentRow();
}

void DirectoryListBox::setItemIndex(int i)
{
    fillIfStale();
    list_->setCurrentRow(i);
}

QString DirectoryListBox::itemPath(int i) const
{
    fillIfStale();
    return i >= 0 && i < paths_.size() ? paths_[i] : QString();
}

QStringList DirectoryListBox::items() const
{
    fillIfStale();
    QStringList out;
    for (int i = 0; i < list_->count(); ++i)
        out.append(list_->item(i)->text().trimmed());
    return out;
}

QString DirectoryListBox::selectedPath() const { return itemPath(itemIndex()); }

void DirectoryListBox::openSelected()
{
    const QString path = selectedPath();
    if (!path.isEmpty())
        setDirectory(path);
}

// ---------------------------------------------------------------------------

FileListBox::FileListBox(QObject* parent, const QString& name) : QObject(parent)
{
    setObjectName(name);
}

void FileListBox::setDirectory(const QString& folder)
{
    if (folder == directory_)
        return;
    directory_ = folder;
    update();
}

void FileListBox::setMask(const QString& mask)
{
    if (mask == mask_)
        return;
    mask_ = mask;
    update();
}

void FileListBox::update()
{
    stale_ = true;
}

void FileListBox::setListing(const QString& folder, const QStringList& names)
{
    directory_ = folder;
    items_ = names;
    stale_ = false;
    if (itemIndex_ >= items_.size())
        itemIndex_ = items_.isEmpty() ? -1 : items_.size() - 1;
}

const QStringList& FileListBox::items() const
{
    if (stale_) {
        stale_ = false;
        items_ = directory_.isEmpty() ? QStringList() : files::listFiles(directory_, mask_);
        if (itemIndex_ >= items_.size())
            itemIndex_ = items_.isEmpty() ? -1 : items_.size() - 1;
    }
    return items_;
}

int FileListBox::itemIndex() const
{
    items();
    return itemIndex_;
}

QString FileListBox::item(int i) const
{
    const QStringList& names = items();
    return i >= 0 && i < names.size() ? names[i] : QString();
}

QString FileListBox::filePath(int i) const
{
    const QString name = item(i);
    return name.isEmpty() ? QString() : files::joinPath(directory_, name);
}

} // namespace platform
