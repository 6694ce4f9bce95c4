#include "environment/shell/recent_file_list.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace qel {

namespace {

constexpr int kMenuPathLength = 50;

QString entryKey(int index) { return QStringLiteral("File%1").arg(index + 1); }

// Two spellings of one file are one entry.
QString canonical(const QString& path)
{
    QFileInfo info(path);
    return info.exists() ? info.absoluteFilePath() : QDir::cleanPath(path);
}

} // namespace

RecentFileList::RecentFileList(QString section, int size) : section_(std::move(section)), size_(size) {}

void RecentFileList::add(const QString& path)
{
    const QString file = canonical(path);
    files_.removeAll(file);
    files_.prepend(file);
    while (files_.size() > size_)
        files_.removeLast();
}

void RecentFileList::remove(const QString& path) { files_.removeAll(canonical(path)); }

void RecentFileList::read(QSettings& settings)
{
    files_.clear();
    settings.beginGroup(section_);
    for (int i = 0; i < size_; ++i) {
        const QString file = settings.value(entryKey(i)).toString();
        if (!file.isEmpty() && !files_.contains(file))
            files_.append(file);
    }
    settings.endGroup();
}

void RecentFileList::write(QSettings& settings) const
{
    settings.beginGroup(section_);
    for (int i = 0; i < size_; ++i) {
        if (i < files_.size())
            settings.setValue(entryKey(i), files_[i]);
        else
            settings.remove(entryKey(i));
    }
    settings.endGroup();
}

QString RecentFileList::menuText(int index) const
{
    QString path = QDir::toNativeSeparators(files_.value(index));
    if (path.size() > kMenuPathLength) {
        const int keep = (kMenuPathLength - 3) / 2;
        path = path.left(keep) + QStringLiteral("...") + path.right(kMenuPathLength - 3 - keep);
    }
    // A literal ampersand in a path must not become a mnemonic.
    path.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(path);
}

} // namespace qel
