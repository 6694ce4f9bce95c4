#include "environment/shell/data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace qel {

namespace {

const QString kDataFromExecutable = QStringLiteral("../share/qel");
const QString kExamples = QStringLiteral("examples");

} // namespace

QString dataFolderFrom(const QString& executableFolder)
{
    if (executableFolder.isEmpty())
        return {};
    const QFileInfo folder(QDir(executableFolder).filePath(kDataFromExecutable));
    return folder.isDir() ? folder.canonicalFilePath() : QString();
}

QString dataFolder() { return dataFolderFrom(QCoreApplication::applicationDirPath()); }

QString examplesFolder()
{
    const QString data = dataFolder();
    if (data.isEmpty())
        return {};
    const QFileInfo examples(QDir(data).filePath(kExamples));
    return examples.isDir() ? examples.filePath() : QString();
}

} // namespace qel
