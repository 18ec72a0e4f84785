#include "control/acquisition/signature_verifier.h"

#include "common/openssl_support.h"

#include <openssl/bio.h>
#include <openssl/cms.h>
#include <openssl/err.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>
#include <sys/stat.h>

#include <memory>

namespace vessant {
namespace {

using StorePtr = std::unique_ptr<X509_STORE, OpenSslDeleter<X509_STORE, X509_STORE_free>>;
using StoreCtxPtr = std::unique_ptr<X509_STORE_CTX, OpenSslDeleter<X509_STORE_CTX, X509_STORE_CTX_free>>;

void FreeCertificates(STACK_OF(X509) * certificates) { sk_X509_pop_free(certificates, X509_free); }
void FreeList(STACK_OF(X509) * certificates) { sk_X509_free(certificates); }
using CertificatesPtr = std::unique_ptr<STACK_OF(X509), OpenSslDeleter<STACK_OF(X509), FreeCertificates>>;
using ListPtr = std::unique_ptr<STACK_OF(X509), OpenSslDeleter<STACK_OF(X509), FreeList>>;

std::uint32_t Fail(std::uint32_t code, std::string why, std::string* detail) {
    if (detail) *detail = std::move(why);
    ERR_clear_error();
    return code;
}

std::uint32_t ChainCode(int error) {
    switch (error) {
        case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
        case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
        case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
        case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
        case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
        case X509_V_ERR_CERT_UNTRUSTED: return SignatureVerifier::kChainFailure;
        case X509_V_ERR_CERT_HAS_EXPIRED:
        case X509_V_ERR_CERT_NOT_YET_VALID: return SignatureVerifier::kExpired;
        case X509_V_ERR_INVALID_PURPOSE: return SignatureVerifier::kWrongUsage;
        default: return SignatureVerifier::kNotTrusted;
    }
}

// The signer must name code signing among its extended key usages; a certificate without the
// extension (usable for anything) is not enough.
bool HasCodeSigningUsage(X509* certificate) {
    const uint32_t flags = X509_get_extension_flags(certificate);
    return (flags & EXFLAG_XKUSAGE) && (X509_get_extended_key_usage(certificate) & XKU_CODE_SIGN);
}

}  // namespace

std::uint32_t SignatureVerifier::Verify(const std::string& filePath, const std::string& signaturePath,
                                        std::string* detail) {
    ERR_clear_error();
    struct stat info;
    if (stat(signaturePath.c_str(), &info) != 0) return Fail(kNotSigned, "No signature " + signaturePath, detail);

    BioPtr signatureBio(BIO_new_file(signaturePath.c_str(), "rb"));
    if (!signatureBio) return Fail(kNotTrusted, "Cannot read " + signaturePath, detail);
    CmsPtr cms(d2i_CMS_bio(signatureBio.get(), nullptr));
    if (!cms || OBJ_obj2nid(CMS_get0_type(cms.get())) != NID_pkcs7_signed)
        return Fail(kUnknownForm, "Not a CMS signed-data structure: " + signaturePath, detail);

    BioPtr content(BIO_new_file(filePath.c_str(), "rb"));
    if (!content) return Fail(kNotTrusted, "Cannot read " + filePath, detail);

    // First the content against the signature alone; the signer's chain is checked below so
    // that an untrusted root and a wrong usage can be told apart.
    if (CMS_verify(cms.get(), nullptr, nullptr, content.get(), nullptr,
                   CMS_BINARY | CMS_NO_SIGNER_CERT_VERIFY) != 1)
        return Fail(kBadDigest, "Signature does not match " + filePath + ": " + OpenSslError(), detail);

    ListPtr signers(CMS_get0_signers(cms.get()));
    if (!signers || sk_X509_num(signers.get()) == 0) return Fail(kNotTrusted, "No signer certificate", detail);
    CertificatesPtr carried(CMS_get1_certs(cms.get()));

    StorePtr store(X509_STORE_new());
    if (!store || X509_STORE_set_default_paths(store.get()) != 1)
        return Fail(kNotTrusted, "Cannot load the trust store: " + OpenSslError(), detail);

    for (int i = 0; i < sk_X509_num(signers.get()); ++i) {
        X509* signer = sk_X509_value(signers.get(), i);
        StoreCtxPtr context(X509_STORE_CTX_new());
        if (!context || X509_STORE_CTX_init(context.get(), store.get(), signer, carried.get()) != 1)
            return Fail(kNotTrusted, "Cannot check the signer: " + OpenSslError(), detail);
        if (X509_verify_cert(context.get()) != 1) {
            const int error = X509_STORE_CTX_get_error(context.get());
            return Fail(ChainCode(error), std::string("Signer not trusted: ") + X509_verify_cert_error_string(error),
                        detail);
        }
        if (!HasCodeSigningUsage(signer))
            return Fail(kWrongUsage, "Signer certificate is not for code signing", detail);
    }
    ERR_clear_error();
    return kAccepted;
}

std::string SignatureVerifier::MessageFor(std::uint32_t code, const std::string& fileName) {
    switch (code) {
        case kAccepted: return std::string();
        case kNotSigned: return "Cannot load " + fileName + "\nIt is not signed";
        case kChainFailure: return "Cannot load " + fileName + "\nSignature chaining failure.";
        case kUnknownForm: return "Cannot load " + fileName + "\nSignature failure.";
        default: return "Cannot load " + fileName + "\nSignature check failed";
    }
}

}  // namespace vessant
