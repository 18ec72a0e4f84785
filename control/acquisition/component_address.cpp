#include "control/acquisition/component_address.h"

#include <curl/curl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <memory>
#include <vector>

namespace vessant {
namespace {

struct UrlDeleter {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlDeleter>;

// Keep the text as written: spaces allowed, any scheme, "." and ".." segments untouched.
constexpr unsigned kParseFlags = CURLU_ALLOW_SPACE | CURLU_NON_SUPPORT_SCHEME | CURLU_PATH_AS_IS;

// "scheme:" at the start, with a scheme of two or more characters so "C:" stays a drive.
bool HasScheme(const std::string& text) {
    if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0]))) return false;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == ':') return i >= 2;
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return false;
}

std::string TakeString(char* text) {
    std::string result = text ? text : "";
    curl_free(text);
    return result;
}

MergedAddress Refused(std::string why) {
    MergedAddress merged;
    merged.error = std::move(why);
    return merged;
}

MergedAddress Accepted(std::string address) {
    if (address.size() > ComponentAddress::kMaxLength)
        return Refused("Address longer than " + std::to_string(ComponentAddress::kMaxLength) + " characters");
    MergedAddress merged;
    merged.ok = true;
    merged.address = std::move(address);
    return merged;
}

bool StartsWithNoCase(const std::string& text, const char* prefix) {
    for (std::size_t i = 0; prefix[i]; ++i) {
        if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    }
    return true;
}

}  // namespace

MergedAddress ComponentAddress::Merge(const std::string& referencingAddress, const std::string& fileName) {
    if (fileName.empty()) return Refused("No component file name");
    if (fileName.size() > kMaxLength) return Refused("Component file name too long");

    std::string component = fileName;
    if ((fileName.size() >= 2 && fileName[1] == ':') || fileName.compare(0, 2, "\\\\") == 0)
        component = "file:///" + fileName;
    else if (fileName[0] == '/')
        component = "file://" + fileName;
    if (HasScheme(component)) return Accepted(component);

    // Relative: crack the referencing address and put the name in place of its path and query.
    UrlHandle url(curl_url());
    if (!url) return Refused("Out of memory");
    if (curl_url_set(url.get(), CURLUPART_URL, referencingAddress.c_str(), kParseFlags) != CURLUE_OK)
        return Refused("Cannot use the referencing address " + referencingAddress);
    char* rawPath = nullptr;
    curl_url_get(url.get(), CURLUPART_PATH, &rawPath, 0);
    const std::string referencePath = TakeString(rawPath);

    std::string path;
    const std::size_t separator = referencePath.find_last_of("/\\");
    if (separator != std::string::npos && separator != 0) path = referencePath.substr(0, separator + 1);
    if (!path.empty() && path.back() != '/') path += '/';

    std::string query;
    const std::size_t question = fileName.find('?');
    path += fileName.substr(0, question);
    if (question != std::string::npos) query = fileName.substr(question + 1);
    // The URL API writes a path without a leading "/" straight after the host ("file://x").
    if (path.empty() || (path[0] != '/' && path[0] != '\\')) path.insert(0, "/");

    if (curl_url_set(url.get(), CURLUPART_PATH, path.c_str(), 0) != CURLUE_OK ||
        curl_url_set(url.get(), CURLUPART_QUERY, query.empty() ? nullptr : query.c_str(), 0) != CURLUE_OK ||
        curl_url_set(url.get(), CURLUPART_FRAGMENT, nullptr, 0) != CURLUE_OK)
        return Refused("Cannot compose an address from " + fileName);
    char* rawAddress = nullptr;
    if (curl_url_get(url.get(), CURLUPART_URL, &rawAddress, 0) != CURLUE_OK)
        return Refused("Cannot compose an address from " + fileName);
    std::string address = TakeString(rawAddress);
    // A query of nothing ("name?") still selects a library, so keep its "?".
    if (question != std::string::npos && query.empty()) address += '?';
    return Accepted(address);
}

bool ComponentAddress::IsCabinet(const std::string& address) {
    if (address.size() < 4) return false;
    std::string tail = address.substr(address.size() - 4);
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".cab";
}

std::string ComponentAddress::StripQuery(const std::string& address) {
    return address.substr(0, address.rfind('?'));
}

bool ComponentAddress::IsFileAddress(const std::string& address) { return StartsWithNoCase(address, "file:"); }

std::string ComponentAddress::LocalPath(const std::string& address) {
    if (!IsFileAddress(address)) return std::string();
    // Taken as text: the URL API refuses forms a merged address may hold (drive letters).
    std::string rest = StripQuery(address).substr(5);
    if (rest.compare(0, 2, "//") != 0) return rest;
    rest.erase(0, 2);
    if (StartsWithNoCase(rest, "localhost") && (rest.size() == 9 || rest[9] == '/')) rest.erase(0, 9);
    if (rest.empty() || rest[0] == '/') return rest;
    return "//" + rest;
}

std::string ComponentAddress::FromWorkingDirectory() {
    std::vector<char> buffer(4096);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20)) return "file:///";
        buffer.resize(buffer.size() * 2);
    }
    std::string directory = buffer.data();
    if (directory.empty() || directory.back() != '/') directory += '/';
    return "file://" + directory;
}

}  // namespace vessant
