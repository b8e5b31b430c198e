#include "help.h"

#include "core/textfile.h"
#include "core/version.h"

#include <system_error>

namespace gs {

namespace fs = std::filesystem;

fs::path manualPath(const Folders& folders) {
    return folders.program / kManualFileName;
}

Status ensureManual(const Folders& folders, ManualRenderer& renderer) {
    fs::path pdf = manualPath(folders);
    if (fileExists(pdf))
        return {};
    std::error_code ec;
    auto notMade = [](const Error& error) {
        return failure(error.kind, "The user manual could not be made. " + error.message);
    };
    if (Status made = createDataFolder(folders.program); !made)
        return notMade(made.error());
    Result<fs::path> temporary = createTemporaryBeside(pdf);
    if (!temporary)
        return notMade(temporary.error());
    if (Status rendered = renderer.render(*temporary); !rendered) {
        fs::remove(*temporary, ec);
        return notMade(rendered.error());
    }
    if (Status renamed = renameIntoPlace(*temporary, pdf); !renamed)
        return notMade(renamed.error());
    return {};
}

AboutModel aboutModel() {
    AboutModel model;
    model.version = std::string("Version ") + kVersion;
    return model;
}

void HelpCommands::openAddress(const std::string& address) {
    if (!m_opener.open(address))
        m_dialogs.refuse("No browser or viewer could be started to show " + address + ".");
}

void HelpCommands::openUserManual() {
    if (Status made = ensureManual(m_pool.folders(), m_renderer); !made) {
        m_dialogs.refuse(made.error().message);
        return;
    }
    // Without a viewer the manual is still there to be opened by hand.
    const std::string pdf = manualPath(m_pool.folders()).string();
    if (!m_opener.open(pdf))
        m_dialogs.refuse("No PDF viewer could be started. The user manual is " + pdf +
                         "; open it with any PDF viewer.");
}

void HelpCommands::openScoresPage() {
    openAddress(kScoresPageAddress);
}

void HelpCommands::openMakerPage() {
    openAddress(kMakerPageAddress);
}

} // namespace gs
