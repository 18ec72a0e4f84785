#pragma once
// What the signer and the signature check share around OpenSSL: owning handles and the text
// of the last queued error.

#include <openssl/bio.h>
#include <openssl/cms.h>
#include <openssl/err.h>

#include <memory>
#include <string>

namespace vessant {

template <typename T, void (*Free)(T*)>
struct OpenSslDeleter {
    void operator()(T* p) const { Free(p); }
};
using BioPtr = std::unique_ptr<BIO, OpenSslDeleter<BIO, BIO_free_all>>;
using CmsPtr = std::unique_ptr<CMS_ContentInfo, OpenSslDeleter<CMS_ContentInfo, CMS_ContentInfo_free>>;

// The text of the last queued error ("" if none); clears the queue.
inline std::string OpenSslError() {
    const unsigned long code = ERR_peek_last_error();
    char text[256] = "";
    if (code) ERR_error_string_n(code, text, sizeof text);
    ERR_clear_error();
    return text;
}

}  // namespace vessant
