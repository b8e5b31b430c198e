#include "filerollback.h"

#include "textfile.h"

#include <algorithm>

namespace gs {

namespace fs = std::filesystem;

Status FileRollback::remember(const fs::path& path) {
    auto known = [&](const Kept& kept) { return kept.path == path; };
    if (std::any_of(m_kept.begin(), m_kept.end(), known))
        return {};
    std::string bytes;
    std::string error;
    switch (readFileBytes(path, bytes, error)) {
    case ReadStatus::Ok:
        m_kept.push_back({path, std::move(bytes), currentAccess(path)});
        return {};
    case ReadStatus::Missing:
        m_kept.push_back({path, std::nullopt});
        return {};
    case ReadStatus::Error:
        break;
    }
    // No write replaces a folder, so there is nothing to put back; the
    // write itself says why it failed.
    if (std::error_code ec; fs::is_directory(path, ec))
        return {};
    std::string reason = "The file ";
    reason += path.string();
    reason += " cannot be read: ";
    reason += error;
    return failure(reason);
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
        std::string now;
        std::string error;
        ReadStatus status = readFileBytes(kept->path, now, error);
        if (kept->bytes ? status == ReadStatus::Ok && now == *kept->bytes
                        : status == ReadStatus::Missing)
            continue;
        if (kept->bytes) {
            if (Status written = writeFileAtomic(kept->path, *kept->bytes, kept->access); !written)
                addReason(reasons, written.error());
            continue;
        }
        std::error_code ec;
        fs::remove(kept->path, ec);
        if (ec)
            addReason(reasons, "Cannot remove " + kept->path.string() + ": " + ec.message());
    }
    m_kept.clear();
    if (!reasons.empty())
        return failure(reasons);
    return {};
}

} // namespace gs
