#include "instructions/documents/file_choice.h"

#include "program/file_names.h"

#include <filesystem>
#include <system_error>

namespace qel {

Result<std::string> fileDialogChoice(std::string_view typed, std::string_view folder, bool forOpening)
{
    const auto refused = [&](std::string_view why) { return Failure(std::string(typed) + "\n" + std::string(why)); };
    std::string name = resolveInFolder(folder, typed);
    if (name.empty())
        return refused(kChoiceFileNotFound);
    std::error_code error;
    std::filesystem::path path(name);
    if (path.is_relative()) {
        const std::filesystem::path current = std::filesystem::current_path(error);
        if (error)
            return refused(kChoicePathNotFound);
        path = current / path;
    }
    path = path.lexically_normal();
    if (!std::filesystem::is_directory(path, error) && path.filename().string().find('.') == std::string::npos)
        path += std::string(kFileDialogExtension);
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        if (!std::filesystem::is_directory(path.parent_path(), error))
            return refused(kChoicePathNotFound);
        if (forOpening)
            return refused(kChoiceFileNotFound);
        return programTextOfFileName(path.string()); // a new file to save
    }
    if (status.type() != std::filesystem::file_type::regular)
        return refused(kChoiceNotAFile);
    return programTextOfFileName(path.string());
}

std::optional<std::string> chooseFile(const std::function<std::optional<std::string>()>& nextAnswer,
                                      std::string_view folder, bool forOpening, MessageHost& host)
{
    while (const std::optional<std::string> typed = nextAnswer()) {
        Result<std::string> chosen = fileDialogChoice(*typed, folder, forOpening);
        if (chosen)
            return std::move(chosen).value();
        host.showMessage(chosen.failureText(), Icon::Exclamation);
    }
    return std::nullopt;
}

} // namespace qel
