#pragma once

// "User Manual", "About Gridslate" and the scores page: documents and pages
// that the system's viewer shows. Opening goes through the Opener seam, and
// the manual's PDF is made by a ManualRenderer, so the logic needs neither a
// toolkit nor a browser.

#include "core/dialogs.h"
#include "core/pool.h"
#include "core/result.h"

#include <filesystem>
#include <string>

namespace gs {

inline constexpr const char* kManualFileName = "GSLT_manual.pdf";
inline constexpr const char* kScoresPageAddress = "https://www.nfl.com/scores/";
inline constexpr const char* kMakerPageAddress = "https://gridslate.github.io/";

// Shows a web page (an address with a scheme) or a document file in the
// system's browser or viewer. False when nothing could be started.
class Opener {
public:
    virtual ~Opener() = default;
    virtual bool open(const std::string& address) = 0;
};

// Writes the user manual as a PDF document to the given file.
class ManualRenderer {
public:
    virtual ~ManualRenderer() = default;
    virtual Status render(const std::filesystem::path& pdf) = 0;
};

// The manual in the program folder.
std::filesystem::path manualPath(const Folders& folders);

// Makes the manual's PDF when the program folder has none: rendered into a
// temporary file beside it and renamed into place, so a failed rendering
// leaves no half a document behind. An existing file is left as it is.
Status ensureManual(const Folders& folders, ManualRenderer& renderer);

// The "About Gridslate" window: the icon, the program's name and version.
struct AboutModel {
    std::string caption = "Gridslate";
    std::string name = "Gridslate";
    std::string version; // "Version 0.1.0"
    std::string description = "A weekly football picks pool";
    std::string makerPage = kMakerPageAddress;
};
AboutModel aboutModel();

class HelpCommands {
public:
    HelpCommands(const Pool& pool, Dialogs& dialogs, Opener& opener, ManualRenderer& renderer)
        : m_pool(pool), m_dialogs(dialogs), m_opener(opener), m_renderer(renderer) {}

    // "User Manual": makes the PDF when it is missing, then opens it.
    void openUserManual();
    // The scores entry of the "View" menu.
    void openScoresPage();
    // A click on the about window's picture.
    void openMakerPage();
    // A web address or a file in the browser or viewer; told when none
    // could be started.
    void openAddress(const std::string& address);

private:
    const Pool& m_pool;
    Dialogs& m_dialogs;
    Opener& m_opener;
    ManualRenderer& m_renderer;
};

} // namespace gs
