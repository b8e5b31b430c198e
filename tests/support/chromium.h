#pragma once

// The pool's page as headless Chromium shows it. Chromium lays no window out
// narrower than 500 px, so a harness beside the page frames `index.html` at a
// phone's width and a desktop's; each frame tells whether its page fits its
// width, how many requests the page made over the network and how many of
// the standings' captions the sorting script made buttons, and the phone's
// frame gives the standings' rows, a tab between cells.

#include <filesystem>
#include <string>

namespace gs::test {

// Why the browser tests cannot run here; "" where /usr/bin/chromium is.
std::string chromiumMissing();

// Frames folder/index.html and returns the harness's DOM after its scripts
// ran; a failed run fails the test.
std::string framedPageDom(const std::filesystem::path& folder);

// A <pre id="..."> of the harness's DOM: "fits, requests 0, buttons 4" for
// "phone-says" and "desktop-says", the rows for "standings".
std::string harnessSays(const std::string& dom, const std::string& id);

} // namespace gs::test
