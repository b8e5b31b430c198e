#include "userlist.h"

#include "dialogs.h"
#include "state.h"
#include "text.h"
#include "textfile.h"

#include <algorithm>
#include <vector>

namespace gs {

namespace fs = std::filesystem;

namespace {

// The one-character password of the computer player in a new user list.
constexpr const char* kDefaultPcPassword = "P";

std::vector<std::string> splitFields(std::string_view line) {
    std::vector<std::string> fields;
    std::string field;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == ',') {
            fields.push_back(field);
            field.clear();
        } else {
            field += line[i];
            if (i + 1 == line.size())
                fields.push_back(field);
        }
    }
    return fields;
}

std::string userLine(const std::string& name, bool active, const UserSlot& slot, int colorScheme) {
    return name + "," + (active ? "1" : "0") + "," + decimalText(colorScheme) + "," +
           decimalText(slot.admin) + "," + encodePassword(slot.password) + "," +
           (slot.flag ? "1" : "0") + "," + slot.folder;
}

void loadPreferences(UserSlot& slot) {
    State.PreferencesRead = false;
    auto useDefaults = [&] {
        dialogs().message("Error reading User Preferences. Defaults set.", kProgramTitle);
        slot.password.clear();
        slot.exchangeAddress = programFolderText();
    };
    if (!isSafeFileName(State.CurrentUser))
        return useDefaults();
    TextFile file = readTextFile(preferencePath(State.CurrentUser));
    if (file.status != ReadStatus::Ok || file.lines.empty())
        return useDefaults();
    const std::string& line = file.lines.front();
    size_t comma = line.find(',');
    if (comma == std::string::npos)
        return useDefaults();
    std::string password;
    if (!decodePassword(std::string_view(line).substr(0, comma), password))
        return useDefaults();
    State.PreferencesRead = true;
    slot.password = password;
    slot.exchangeAddress = line.substr(comma + 1);
    if (slot.exchangeAddress.empty())
        slot.exchangeAddress = programFolderText();
}

} // namespace

std::string encodePassword(std::string_view clear) {
    std::string stored(clear);
    for (char& c : stored)
        c = static_cast<char>(static_cast<unsigned char>(c) + 10);
    return stored;
}

bool decodePassword(std::string_view stored, std::string& clear) {
    clear.clear();
    for (char c : stored) {
        auto code = static_cast<unsigned char>(c);
        if (code < 10)
            return false;
        clear += static_cast<char>(code - 10);
    }
    return true;
}

fs::path userListPath() {
    return State.ProgramFolder / kUserListFileName;
}

fs::path preferencePath(const std::string& userName) {
    return State.ProgramFolder / (userName + "_UserPref.dbu");
}

bool LoadUserList() {
    fs::path path = userListPath();
    if (!FileExists(path)) {
        std::error_code ec;
        fs::create_directories(State.ProgramFolder, ec);
        std::string folder = programFolderText();
        std::vector<std::string> lines = {
            "2010",
            "admin,1,9,1,,0," + folder,
            "PC,1,1,0," + encodePassword(kDefaultPcPassword) + ",0," + folder,
        };
        if (!saveLines(path, lines))
            return false;
        State.CurrentUser = NewListSentinel;
        return true;
    }

    TextFile file = readTextFile(path);
    if (file.status != ReadStatus::Ok) {
        dialogs().message("The user list " + path.string() + " cannot be read: " + file.error,
                          "Error");
        return false;
    }

    // A load replaces the whole table, so a user removed and saved stays removed.
    State.UserTable.fill(UserSlot{});
    State.PreferencesRead = false;
    // Line 1 holds a season year, but every load starts the season at 2010.
    State.SeasonYear = "2010";

    size_t userLines = file.lines.empty() ? 0 : file.lines.size() - 1;
    for (size_t i = 1; i < file.lines.size() && i <= kUserSlots; ++i) {
        UserSlot& slot = State.UserTable[i];
        std::vector<std::string> fields = splitFields(file.lines[i]);
        for (size_t f = 0; f < fields.size() && f < 7; ++f) {
            const std::string& value = fields[f];
            switch (f) {
            case 0:
                slot.name = value;
                break;
            case 1:
                slot.active = toInt16(numericValue(value));
                break;
            case 2:
                slot.colorScheme = toInt16(numericValue(value));
                break;
            case 3:
                slot.admin = toInt16(numericValue(value));
                break;
            case 4:
                decodePassword(value, slot.password);
                slot.listPassword = slot.password;
                break;
            case 5:
                slot.flag = numericValue(value) != 0.0;
                break;
            case 6:
                slot.folder = value;
                break;
            }
            if (slot.folder.empty())
                slot.folder = programFolderText();
        }
    }
    if (userLines > static_cast<size_t>(kUserSlots))
        dialogs().message("The user list holds " + std::to_string(userLines) +
                              " lines of users; only the first 100 were loaded.",
                          kProgramTitle);

    int k = userSlot(State.CurrentUser);
    if (k == 0) {
        State.CurrentUser = NotFoundSentinel;
        return true;
    }
    loadPreferences(State.UserTable[k]);
    return true;
}

bool SaveUserList() {
    if (State.List5.entries.empty())
        FillUserLists();
    if (State.List5.entries.empty())
        return false;

    auto slotFor = [](const std::string& name) {
        int k = userSlot(name);
        if (k)
            return State.UserTable[k];
        UserSlot fallback;
        fallback.colorScheme = 9;
        fallback.folder = programFolderText();
        return fallback;
    };

    std::vector<std::string> lines = {"2010"};
    const auto& active = State.List5.entries;
    for (const std::string& name : active) {
        UserSlot slot = slotFor(name);
        lines.push_back(userLine(name, true, slot, slot.colorScheme));
    }
    for (const std::string& name : State.List4.entries) {
        if (std::find(active.begin(), active.end(), name) != active.end())
            continue;
        UserSlot slot = slotFor(name);
        int scheme = name == State.CurrentUser ? State.CurrentColorScheme : slot.colorScheme;
        lines.push_back(userLine(name, false, slot, scheme));
    }
    if (!saveLines(userListPath(), lines))
        return false;

    if (!isSafeFileName(State.CurrentUser))
        return true;
    int k = userSlot(State.CurrentUser);
    UserSlot& current = State.UserTable[k ? k : kUserSlots];
    if (current.exchangeAddress.empty())
        current.exchangeAddress = programFolderText();
    return saveLines(preferencePath(State.CurrentUser),
                     {encodePassword(current.password) + "," + current.exchangeAddress});
}

void FillUserLists() {
    ListModel& onFile = State.List4;
    ListModel& active = State.List5;
    onFile = ListModel{};
    active = ListModel{};
    for (int k = 1; k <= kUserSlots; ++k)
        if (!State.UserTable[k].name.empty())
            onFile.entries.push_back(State.UserTable[k].name);

    for (const std::string& saved : State.SavedActivePlayers)
        for (int k = 1; k <= kUserSlots; ++k) {
            const UserSlot& slot = State.UserTable[k];
            if (slot.name == saved && slot.active == 1)
                active.entries.push_back(slot.name);
        }

    for (int k = 1; k <= kUserSlots; ++k) {
        const UserSlot& slot = State.UserTable[k];
        if (slot.name.empty() || slot.active != 1)
            continue;
        std::string stripped = StripSpaces(slot.name);
        bool listed = std::any_of(active.entries.begin(), active.entries.end(),
                                  [&](const std::string& e) { return StripSpaces(e) == stripped; });
        if (!listed)
            active.entries.push_back(slot.name);
    }
}

} // namespace gs
