#include "tools/vessant_pack/cms_signer.h"

#include "common/openssl_support.h"

#include <openssl/bio.h>
#include <openssl/cms.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <climits>
#include <memory>

namespace vessant {
namespace {

// ": " and the last OpenSSL error, or nothing.
std::string ErrorSuffix() {
    const std::string text = OpenSslError();
    return text.empty() ? text : ": " + text;
}

// An encrypted key would make OpenSSL ask on the terminal: refuse it instead.
int NoPassphrase(char*, int, int, void*) { return -1; }

}  // namespace

struct CmsSigner::Keys {
    EVP_PKEY* key = nullptr;
    X509* certificate = nullptr;
    STACK_OF(X509)* chain = nullptr;
    ~Keys() {
        EVP_PKEY_free(key);
        X509_free(certificate);
        sk_X509_pop_free(chain, X509_free);
    }
};

CmsSigner::CmsSigner() : keys_(new Keys) {}
CmsSigner::~CmsSigner() { delete keys_; }

bool CmsSigner::Load(const std::string& keyPath, const std::string& certificatePath, const std::string& chainPath,
                     std::string* error) {
    ERR_clear_error();
    BioPtr keyFile(BIO_new_file(keyPath.c_str(), "rb"));
    if (keyFile) keys_->key = PEM_read_bio_PrivateKey(keyFile.get(), nullptr, NoPassphrase, nullptr);
    if (!keys_->key) {
        *error = "cannot read the private key " + keyPath + " (PEM, not encrypted)" + ErrorSuffix();
        return false;
    }

    BioPtr certificateFile(BIO_new_file(certificatePath.c_str(), "rb"));
    if (certificateFile) {
        keys_->certificate = PEM_read_bio_X509(certificateFile.get(), nullptr, NoPassphrase, nullptr);
        if (!keys_->certificate && BIO_reset(certificateFile.get()) == 0) {
            ERR_clear_error();
            keys_->certificate = d2i_X509_bio(certificateFile.get(), nullptr);
        }
    }
    if (!keys_->certificate) {
        *error = "cannot read the certificate " + certificatePath + ErrorSuffix();
        return false;
    }
    // The player accepts only a signer that names code signing; better to refuse here than to
    // publish a cabinet no player loads.
    const uint32_t flags = X509_get_extension_flags(keys_->certificate);
    if (!(flags & EXFLAG_XKUSAGE) || !(X509_get_extended_key_usage(keys_->certificate) & XKU_CODE_SIGN)) {
        *error = "the certificate " + certificatePath +
                 " is not for code signing (its extended key usage must include codeSigning)";
        return false;
    }
    if (X509_check_private_key(keys_->certificate, keys_->key) != 1) {
        *error = "the private key " + keyPath + " does not belong to the certificate " + certificatePath;
        ERR_clear_error();
        return false;
    }

    keys_->chain = sk_X509_new_null();
    if (!chainPath.empty()) {
        BioPtr chainFile(BIO_new_file(chainPath.c_str(), "rb"));
        if (!chainFile) {
            *error = "cannot read the chain " + chainPath + ErrorSuffix();
            return false;
        }
        while (X509* certificate = PEM_read_bio_X509(chainFile.get(), nullptr, NoPassphrase, nullptr))
            sk_X509_push(keys_->chain, certificate);
        ERR_clear_error();  // the end of the file reads as an error
        if (sk_X509_num(keys_->chain) == 0) {
            *error = "the chain " + chainPath + " holds no PEM certificate";
            return false;
        }
    }
    return true;
}

bool CmsSigner::Sign(const std::string& data, std::string* signature, std::string* error) const {
    ERR_clear_error();
    if (data.size() > static_cast<std::size_t>(INT_MAX)) {
        *error = "cannot sign more than 2 GiB";
        return false;
    }
    BioPtr in(BIO_new_mem_buf(data.data(), static_cast<int>(data.size())));
    CmsPtr cms(in ? CMS_sign(keys_->certificate, keys_->key, keys_->chain, in.get(),
                             CMS_DETACHED | CMS_BINARY | CMS_NOATTR)
                  : nullptr);
    if (!cms) {
        *error = "cannot sign" + ErrorSuffix();
        return false;
    }
    BioPtr out(BIO_new(BIO_s_mem()));
    if (!out || i2d_CMS_bio(out.get(), cms.get()) != 1) {
        *error = "cannot encode the signature" + ErrorSuffix();
        return false;
    }
    char* bytes = nullptr;
    const long size = BIO_get_mem_data(out.get(), &bytes);
    signature->assign(bytes, static_cast<std::size_t>(size));
    return true;
}

}  // namespace vessant
