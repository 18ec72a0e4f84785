#pragma once
// Signs a file for the player: a detached CMS signature (DER) by a code-signing certificate,
// made with the same OpenSSL the player verifies with. No signed attributes are added (no
// signing time), so an RSA signature of the same bytes with the same key is the same bytes.

#include <string>

namespace vessant {

class CmsSigner {
public:
    // Reads the private key and certificate (PEM, the certificate also DER) and the optional
    // chain (PEM, any number of certificates). False with a message when one cannot be read,
    // the key does not belong to the certificate, or the certificate does not name code signing
    // among its extended key usages.
    bool Load(const std::string& keyPath, const std::string& certificatePath, const std::string& chainPath,
              std::string* error);

    // The detached signature of data. False with a message when signing fails.
    bool Sign(const std::string& data, std::string* signature, std::string* error) const;

    CmsSigner();
    ~CmsSigner();
    CmsSigner(const CmsSigner&) = delete;
    CmsSigner& operator=(const CmsSigner&) = delete;

private:
    struct Keys;
    Keys* keys_;
};

}  // namespace vessant
