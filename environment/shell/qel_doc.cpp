#include "environment/shell/qel_doc.h"

#include "document/program_document.h"
#include "document/program_template.h"
#include "environment/ide_state.h"
#include "fileio/file_io.h"
#include "runtime/latin1.h"

#include <QFile>
#include <QFileInfo>

#include <string>
#include <vector>

namespace qel {

namespace {

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

} // namespace

CQelDoc::CQelDoc(IdeState& ide, QObject* parent) : QObject(parent), ide_(ide) {}

void CQelDoc::newProgram(const QString& title)
{
    ide_.interpreter.debugger().clearBreakpoints();
    newProgramWithHandlers(ide_.program, ide_.variables, ide_.host);
    version_ = FileVersion{};
    autoRun_ = false;
    setPath({}, title);
    setModified(false);
}

CQelDoc::OpenStatus CQelDoc::open(const QString& path)
{
    std::vector<uint8_t> bytes;
    if (!readWholeFile(localPath(path), bytes, kMaxProgramFileBytes)) {
        ide_.host.showNotice(QT_TRANSLATE_NOOP("qel", "Unable to open the file %1."), Icon::Exclamation, Buttons::Ok,
                             fromQString(path));
        return OpenStatus::Unreadable;
    }
    ide_.interpreter.debugger().clearBreakpoints();
    const LoadResult result = openProgram(ide_.program, ide_.variables, bytes, ide_.host);
    // A file that is not a program leaves an open document holding the reset program; a damaged
    // one is not opened at all.
    if (result.status != ReadStatus::Ok && result.status != ReadStatus::BadVersion) {
        close();
        return OpenStatus::NotOpened;
    }
    version_ = result.version;
    autoRun_ = result.autoRun;
    setPath(path, QFileInfo(path).fileName());
    setModified(false);
    return OpenStatus::Opened;
}

bool CQelDoc::saveAs(const QString& path)
{
    if (!saveProgram(ide_.program, localPath(path))) {
        ide_.host.showNotice(QT_TRANSLATE_NOOP("qel", "Unable to save the program to %1."), Icon::Exclamation,
                             Buttons::Ok, fromQString(path));
        return false;
    }
    version_ = FileVersion{};
    setPath(path, QFileInfo(path).fileName());
    setModified(false);
    return true;
}

void CQelDoc::close()
{
    ide_.interpreter.debugger().clearBreakpoints();
    ide_.program.newProgram();
    ide_.variables.clearAllVariables();
    autoRun_ = false;
    version_ = FileVersion{};
    setPath({}, {});
    setModified(false);
}

void CQelDoc::setModified(bool modified)
{
    if (modified == modified_)
        return;
    modified_ = modified;
    Q_EMIT modifiedChanged(modified);
}

void CQelDoc::setPath(const QString& path, const QString& title)
{
    path_ = path;
    // The program's files (text files, bitmaps, sounds, documents) are found beside it.
    ide_.interpreter.setProgramPath(path.isEmpty() ? std::string() : localPath(QFileInfo(path).absoluteFilePath()));
    if (title == title_)
        return;
    title_ = title;
    Q_EMIT titleChanged(title_);
}

} // namespace qel
