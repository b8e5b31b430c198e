#pragma once

// libcurl's start and the handles the transfers hold, each released with
// the object that owns it. For the FTP exchange and the games file's
// download alike.

#include <curl/curl.h>

#include <string>

namespace gs {

// Starts libcurl once, thread-safe; never undone, the library stays loaded.
inline bool startCurl() {
    static const bool started = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return started;
}

struct CurlHandle {
    CURL* curl = curl_easy_init();
    ~CurlHandle() { curl_easy_cleanup(curl); }
    CurlHandle() = default;
    CurlHandle(const CurlHandle&) = delete;
    CurlHandle& operator=(const CurlHandle&) = delete;
};

struct CurlMulti {
    CURLM* multi = curl_multi_init();
    ~CurlMulti() { curl_multi_cleanup(multi); }
    CurlMulti() = default;
    CurlMulti(const CurlMulti&) = delete;
    CurlMulti& operator=(const CurlMulti&) = delete;
};

struct CurlUrl {
    CURLU* handle = curl_url();
    ~CurlUrl() { curl_url_cleanup(handle); }
    CurlUrl() = default;
    CurlUrl(const CurlUrl&) = delete;
    CurlUrl& operator=(const CurlUrl&) = delete;
};

struct CurlList {
    curl_slist* head = nullptr;
    ~CurlList() { curl_slist_free_all(head); }
    CurlList() = default;
    CurlList(const CurlList&) = delete;
    CurlList& operator=(const CurlList&) = delete;
    void append(const std::string& line) { head = curl_slist_append(head, line.c_str()); }
};

} // namespace gs
