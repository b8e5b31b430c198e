#include "updatewindow.h"

#include "core/text.h"
#include "net/address.h"
#include "schedule/importer.h"

#include <algorithm>
#include <climits>

namespace gs {

namespace {

std::string kilobytes(std::uint64_t bytes) {
    return std::to_string((bytes + 1023) / 1024) + " KB";
}

int barValue(std::uint64_t bytes) {
    return static_cast<int>(std::min<std::uint64_t>(bytes, INT_MAX));
}

} // namespace

GamesUpdateWindow::GamesUpdateWindow(const Pool& pool, Dialogs& dialogs, GamesUpdateOptions options)
    : m_pool(pool), m_dialogs(dialogs), m_options(std::move(options)) {}

bool GamesUpdateWindow::start() {
    Result<std::string> url = gamesFileUrl(m_pool, m_options.url);
    if (!url) {
        m_dialogs.refuse(url.error().message);
        return false;
    }
    m_options.url = *url;
    m_model.address.caption = maskedAddress(*url);
    m_model.status.caption = "Fetching the games file...";
    m_model.progress = ProgressModel{true, 0, 0, 0};
    m_received = 0;
    m_total = 0;
    m_cancel = false;
    setRunning(true);
    return true;
}

void GamesUpdateWindow::setRunning(bool running) {
    m_running = running;
    m_model.cancelButton.enabled = running;
    m_model.closeButton.enabled = !running;
    m_model.address.enabled = !running;
    m_model.changeButton.enabled = !running;
}

bool GamesUpdateWindow::changeAddress() {
    if (m_running)
        return false;
    std::string typed = trimSpaces(m_model.address.caption);
    // The box as it was shown stands for the address it masks.
    if (m_options.url && typed == maskedAddress(*m_options.url))
        typed = *m_options.url;
    if (Status stored = storeGamesFileUrl(m_pool, typed); !stored) {
        m_dialogs.refuse(stored.error().message);
        return false;
    }
    m_options.url = typed;
    return start();
}

FetchedGamesFile GamesUpdateWindow::fetch() {
    return fetchGamesFile(
        m_pool, m_options,
        [this](std::uint64_t received, std::uint64_t total) {
            m_received = received;
            m_total = total;
        },
        &m_cancel);
}

void GamesUpdateWindow::showProgress() {
    if (!m_running)
        return;
    std::uint64_t received = m_received;
    std::uint64_t total = m_total;
    m_model.progress.maximum = barValue(total);
    m_model.progress.value = total ? barValue(std::min(received, total)) : 0;
    if (received > 0)
        m_model.status.caption =
            "Received " + kilobytes(received) + (total ? " of " + kilobytes(total) : std::string());
}

void GamesUpdateWindow::cancel() {
    if (!m_running)
        return;
    m_cancel = true;
    m_model.status.caption = "Cancelling...";
    m_model.cancelButton.enabled = false;
}

void GamesUpdateWindow::finish(const FetchedGamesFile& fetched) {
    showProgress();
    setRunning(false);
    if (fetched.status == DownloadStatus::Fetched) {
        // Whatever size was announced, the whole file is here.
        m_model.progress.maximum = m_model.progress.value = barValue(fetched.bytes.size());
    } else if (m_model.progress.maximum == 0) {
        // A bar without a size keeps moving: it stops, full when the file
        // had not changed, empty when nothing came.
        m_model.progress.maximum = 1;
        m_model.progress.value = fetched.usable() ? 1 : 0;
    }
    GamesUpdateResult result = applyGamesFile(m_pool, fetched, false);
    if (!result.ok && !result.conflicts.empty() &&
        m_dialogs.confirm(overwriteQuestion(result.conflicts), m_model.caption))
        result = applyGamesFile(m_pool, fetched, true);
    if (!result.ok) {
        m_model.status.caption = "Nothing was changed.";
        m_dialogs.refuse(result.summary);
        return;
    }
    m_model.status.caption =
        result.changed ? "The games table was updated." : "The games table is up to date.";
    m_dialogs.inform(result.summary, m_model.caption);
}

} // namespace gs
