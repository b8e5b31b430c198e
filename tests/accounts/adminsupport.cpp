#include "adminsupport.h"

#include "core/textfile.h"
#include "core/userlist.h"
#include "tests/support/testsupport.h"

namespace gs::test {

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

void writeUserList(const Pool& pool, const std::vector<std::string>& users) {
    std::vector<std::string> lines = {"2010"};
    for (const std::string& user : users) {
        std::string line = user;
        if (line.size() >= 2 && line.compare(line.size() - 2, 2, ",F") == 0)
            line = line.substr(0, line.size() - 1) + pool.programFolderText();
        lines.push_back(line);
    }
    writeBytes(userListPath(pool.folders()), crlf(lines));
}

void writePoolOfFive(const Pool& pool) {
    writeUserList(pool, {"admin,1,9,1,,0,F", "PC,1,1,0,Z,0,F", "ann,1,5,0,,0,F", "bob,1,9,0,,0,F",
                         "carl,0,9,0,,0,F"});
}

std::string userListBytes(const Pool& pool) {
    return readBytes(userListPath(pool.folders()));
}

std::vector<std::string> userListLines(const Pool& pool) {
    std::vector<std::string> lines = splitLines(userListBytes(pool));
    if (!lines.empty())
        lines.erase(lines.begin());
    for (std::string& line : lines)
        line = replaceAll(line, pool.programFolderText(), "F");
    return lines;
}

std::string dumpLists(const UserAdministrationPanel& panel) {
    const ListModel onFile = panel.playersOnFile();
    const ListModel active = panel.activePlayers();
    std::string text = "onFile:";
    for (const std::string& name : onFile.entries)
        text += " " + name;
    text += " | active:";
    for (const std::string& name : active.entries)
        text += " " + name;
    return text + " | selected: " + std::to_string(onFile.selected) + " " +
           std::to_string(active.selected);
}

std::string dumpSlots(const Pool& pool) {
    std::string text;
    for (int k = 1; k <= kUserSlots; ++k) {
        const UserSlot& slot = pool.users()[k];
        if (slot.name.empty())
            continue;
        text += (text.empty() ? "" : " ") + slot.name + ":" + std::to_string(slot.active) + "," +
                std::to_string(slot.admin);
    }
    return text;
}

} // namespace gs::test
