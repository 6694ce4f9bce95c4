#pragma once
// The open program document. The program itself lives in the application-wide IdeState; the
// document holds what belongs to the file: its path and title, the version it was read as, the
// auto-run flag and the modified flag. New, Open and Save go through the same program reading and
// writing as qeltool, so a failed save never destroys the previous file.

#include "program/program_file.h"

#include <QObject>
#include <QString>
#include <QtGlobal>

#include <string>

namespace qel {

class IdeState;

class CQelDoc : public QObject {
    Q_OBJECT
public:
    explicit CQelDoc(IdeState& ide, QObject* parent = nullptr);

    // A new program with its handler lines, titled like "QEL1".
    void newProgram(const QString& title);

    enum class OpenStatus {
        Opened,     // the file's program replaced the old one
        Unreadable, // the file could not be read: the old program is untouched
        NotOpened,  // the file is damaged: the program was reset and the document must close
    };
    // Replaces the program with the file's. The user has been told about every problem.
    OpenStatus open(const QString& path);

    // Writes the program to path; on success the document takes that path and is unmodified.
    // On failure the user has been told and the old file (if any) is as it was.
    bool saveAs(const QString& path);

    // Empties the program (no handler lines) and the variables: the document is gone.
    void close();

    bool hasPath() const { return !path_.isEmpty(); }
    const QString& path() const { return path_; }
    const QString& title() const { return title_; }
    bool isModified() const { return modified_; }
    void setModified(bool modified);
    bool autoRun() const { return autoRun_; }
    const FileVersion& version() const { return version_; }

Q_SIGNALS:
    void titleChanged(const QString& title);
    void modifiedChanged(bool modified);

private:
    void setPath(const QString& path, const QString& title);

    IdeState& ide_;
    QString path_;
    QString title_;
    bool modified_ = false;
    bool autoRun_ = false;
    FileVersion version_;
};

inline constexpr const char* kProgramFileFilter = QT_TRANSLATE_NOOP("qel", "QEL Programs (*.qel)");
inline constexpr const char* kProgramFileExtension = ".qel";

} // namespace qel
