#include "address.h"

#include <curl/curl.h>

namespace gs {

namespace {

constexpr std::string_view kMask = "***";
constexpr size_t kShortestMaskedPassword = 3;

// Whether libcurl's URL parser finds the same user name and password in the
// address as the transport does. The parser is not asked to decode, so both
// compare the text as typed.
bool curlReadsAlike(std::string_view address, const AddressFields& fields) {
    CURLU* url = curl_url();
    if (!url)
        return false;
    std::string text(address);
    if (fields.scheme.empty())
        text.insert(0, "ftp://");
    bool alike = false;
    if (curl_url_set(url, CURLUPART_URL, text.c_str(),
                     CURLU_ALLOW_SPACE | CURLU_NON_SUPPORT_SCHEME) == CURLUE_OK) {
        char* user = nullptr;
        char* password = nullptr;
        CURLUcode userCode = curl_url_get(url, CURLUPART_USER, &user, 0);
        CURLUcode passwordCode = curl_url_get(url, CURLUPART_PASSWORD, &password, 0);
        alike = userCode == CURLUE_OK && user == fields.user &&
                (fields.hasPassword ? passwordCode == CURLUE_OK && password == fields.password
                                    : passwordCode == CURLUE_NO_PASSWORD);
        curl_free(user);
        curl_free(password);
    }
    curl_url_cleanup(url);
    return alike;
}

} // namespace

AddressFields splitAddress(std::string_view address) {
    AddressFields fields;
    std::string_view rest = address;
    if (size_t scheme = rest.find("://"); scheme != std::string_view::npos) {
        fields.scheme = rest.substr(0, scheme);
        rest.remove_prefix(scheme + 3);
    }
    size_t slash = rest.find('/');
    std::string_view authority = rest.substr(0, slash);
    if (slash != std::string_view::npos)
        fields.path = rest.substr(slash);
    size_t at = authority.rfind('@');
    if (at != std::string_view::npos) {
        std::string_view userInfo = authority.substr(0, at);
        authority.remove_prefix(at + 1);
        size_t colon = userInfo.find(':');
        fields.hasUser = true;
        fields.user = userInfo.substr(0, colon);
        if (colon != std::string_view::npos) {
            fields.hasPassword = true;
            fields.password = userInfo.substr(colon + 1);
        }
    }
    fields.host = authority;
    return fields;
}

std::string maskedAddress(std::string_view address) {
    size_t lastAt = address.rfind('@');
    if (lastAt == std::string_view::npos)
        return std::string(address);
    AddressFields fields = splitAddress(address);
    size_t start = fields.scheme.empty() ? 0 : fields.scheme.size() + 3;
    std::string masked(address.substr(0, start));
    // Read alike, and no "@" after the user part that a different reading
    // could take for the end of a password.
    size_t userEnd =
        start + fields.user.size() + (fields.hasPassword ? fields.password.size() + 1 : 0);
    if (fields.hasUser && userEnd == lastAt && curlReadsAlike(address, fields)) {
        if (fields.password.empty())
            return std::string(address);
        masked += fields.user;
        masked += ':';
    }
    masked += kMask;
    masked += address.substr(lastAt);
    return masked;
}

std::string withoutPassword(std::string_view text, std::string_view address) {
    std::string out(text);
    std::string password = splitAddress(address).password;
    if (password.size() < kShortestMaskedPassword)
        return out;
    for (size_t at = out.find(password); at != std::string::npos;
         at = out.find(password, at + kMask.size()))
        out.replace(at, password.size(), kMask);
    return out;
}

} // namespace gs
