#pragma once
// A list of recently used files kept in the settings under a section of its own, one key a file
// ("File1", "File2", ...), most recent first.

#include <QString>
#include <QStringList>

class QSettings;

namespace qel {

class RecentFileList {
public:
    RecentFileList(QString section, int size);

    const QString& section() const { return section_; }
    int size() const { return size_; }
    const QStringList& files() const { return files_; }

    // Puts a file at the top; a file already listed moves up instead of showing twice.
    void add(const QString& path);
    void remove(const QString& path);

    void read(QSettings& settings);
    void write(QSettings& settings) const;

    // The menu text of entry index (0-based): "&1 " and the path, shortened in its middle when long.
    QString menuText(int index) const;

private:
    QString section_;
    int size_;
    QStringList files_;
};

} // namespace qel
