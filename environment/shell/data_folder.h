#pragma once
// Where the help pages and the example programs are on disk: in share/qel beside the folder of the
// executable (../share/qel from it). An installed QEL has them there, and the build folder holds a
// copy in the same place, so a program run from either finds them.

#include <QString>

namespace qel {

// The data folder seen from an executable's folder, or an empty string when there is none.
QString dataFolderFrom(const QString& executableFolder);
// The data folder of this program, or an empty string.
QString dataFolder();

// The folder of the example programs, or an empty string when there is none.
QString examplesFolder();

} // namespace qel
