#include "filerollback.h"

#include "textfile.h"

#include <algorithm>

namespace gs {

namespace fs = std::filesystem;

Status FileRollback::remember(const fs::path& path) {
    auto known = [&](const Kept& kept) { return kept.path == path; };
    if (std::any_of(m_kept.begin(), m_kept.end(), known))
        return {};
    Result<std::string> bytes = readFileBytes(path);
    if (bytes) {
        m_kept.push_back({path, std::move(*bytes), currentAccess(path)});
        return {};
    }
    if (bytes.error().kind == ErrorKind::NotFound) {
        m_kept.push_back({path, std::nullopt});
        return {};
    }
    // No write replaces a folder, so there is nothing to put back; the
    // write itself says why it failed.
    if (std::error_code ec; fs::is_directory(path, ec))
        return {};
    std::string reason = "The file ";
    reason += path.string();
    reason += " cannot be read: ";
    reason += bytes.error().message;
    return failure(ErrorKind::Unreadable, reason);
}

namespace {

// Reasons are joined by spaces; built with += since GCC 12 at -O3 warns
// falsely (-Wrestrict) on "literal" + std::string.
void addReason(std::string& reasons, const std::string& reason) {
    if (!reasons.empty())
        reasons += ' ';
    reasons += reason;
}

} // namespace

Status FileRollback::restore() {
    std::string reasons;
    for (auto kept = m_kept.rbegin(); kept != m_kept.rend(); ++kept) {
        // A file the change never reached needs nothing, which matters in a
        // folder that cannot be written at all.
        Result<std::string> now = readFileBytes(kept->path);
        if (kept->bytes ? now && *now == *kept->bytes : failedWith(now, ErrorKind::NotFound))
            continue;
        if (kept->bytes) {
            if (Status written = writeFileAtomic(kept->path, *kept->bytes, kept->access); !written)
                addReason(reasons, written.error().message);
            continue;
        }
        std::error_code ec;
        fs::remove(kept->path, ec);
        if (ec)
            addReason(reasons, "Cannot remove " + kept->path.string() + ": " + ec.message());
    }
    m_kept.clear();
    if (!reasons.empty())
        return failure(ErrorKind::Unwritable, reasons);
    return {};
}

} // namespace gs
