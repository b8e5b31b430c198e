#include "tests/support/chromium.h"

#include "tests/support/testsupport.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>

namespace gs::test {

namespace fs = std::filesystem;

namespace {

const fs::path kChromium = "/usr/bin/chromium";

constexpr const char* kHarness = R"(<!DOCTYPE html>
<html><body>
<iframe id="phone" src="index.html" style="width:360px;height:800px;border:0"></iframe>
<iframe id="desktop" src="index.html" style="width:1280px;height:800px;border:0"></iframe>
<pre id="phone-says"></pre><pre id="desktop-says"></pre><pre id="standings"></pre>
<script>
document.querySelectorAll("iframe").forEach(function (f) {
  f.addEventListener("load", function () {
    var doc = f.contentDocument, page = doc.documentElement;
    var wide = page.scrollWidth > page.clientWidth;
    document.getElementById(f.id + "-says").textContent = (wide ? "scrolls sideways: " +
      page.scrollWidth + " > " + page.clientWidth : "fits") + ", requests " +
      f.contentWindow.performance.getEntriesByType("resource").length + ", buttons " +
      doc.querySelectorAll("#standings-table th button").length;
    if (f.id !== "phone")
      return;
    document.getElementById("standings").textContent = Array.prototype.map.call(
      doc.querySelectorAll("#standings-table tr"), function (row) {
        return Array.prototype.map.call(row.cells, function (c) { return c.textContent; }).join("\t");
      }).join("\n");
  });
});
</script>
</body></html>
)";

} // namespace

std::string chromiumMissing() {
    if (fs::exists(kChromium))
        return {};
    return "no " + kChromium.string() +
           ": install Debian's chromium package to test the pool's page in a browser";
}

std::string framedPageDom(const fs::path& folder) {
    TempDir work;
    writeBytes(folder / "harness.html", kHarness);
    // A fresh profile, and Chromium's own services kept off the network.
    const fs::path dom = work.path() / "dom.html";
    const fs::path log = work.path() / "chromium.log";
    const std::string command =
        "timeout 60 " + kChromium.string() + " --headless --disable-gpu --no-first-run " +
        "--disable-background-networking --disable-component-update --disable-sync " +
        (::geteuid() == 0 ? "--no-sandbox " : "") + "--user-data-dir='" +
        (work.path() / "profile").string() +
        "' --allow-file-access-from-files --virtual-time-budget=5000 --dump-dom 'file://" +
        (folder / "harness.html").string() + "' > '" + dom.string() + "' 2> '" + log.string() + "'";
    const int status = std::system(command.c_str());
    fs::remove(folder / "harness.html");
    EXPECT_EQ(status, 0) << command << "\n" << readBytes(log);
    return readBytes(dom);
}

std::string harnessSays(const std::string& dom, const std::string& id) {
    const size_t start = dom.find("<pre id=\"" + id + "\">");
    if (start == std::string::npos)
        return "no " + id;
    const size_t open = start + id.size() + 11;
    std::string text = dom.substr(open, dom.find("</pre>", open) - open);
    // The entities a serializer writes in text, read back.
    for (auto [entity, character] : {std::pair{"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}})
        for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
            text.replace(at, std::string_view(entity).size(), 1, character);
    return text;
}

} // namespace gs::test
