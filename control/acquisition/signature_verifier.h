#pragma once
// Checks a downloaded component against its detached CMS signature (DER), with the default
// trust store (SSL_CERT_FILE and SSL_CERT_DIR honoured). Results keep the codes the rest of
// the control reports on.

#include <cstdint>
#include <string>

namespace vessant {

class SignatureVerifier {
public:
    static constexpr std::uint32_t kAccepted = 0;
    static constexpr std::uint32_t kNotSigned = 0x800B0100;       // no signature file
    static constexpr std::uint32_t kChainFailure = 0x800B010A;    // chains to no trusted root
    static constexpr std::uint32_t kUnknownForm = 0x800B0003;     // not a CMS signed-data structure
    static constexpr std::uint32_t kBadDigest = 0x80096010;       // the file is not what was signed
    static constexpr std::uint32_t kWrongUsage = 0x800B0110;      // signer lacks code-signing usage
    static constexpr std::uint32_t kExpired = 0x800B0101;         // signer or issuer out of validity
    static constexpr std::uint32_t kNotTrusted = 0x800B0004;      // any other failure

    // Verifies file against the signature at signaturePath (a missing signature file means
    // not signed). detail, when given, receives a line saying why for a non-zero result.
    static std::uint32_t Verify(const std::string& filePath, const std::string& signaturePath,
                                std::string* detail = nullptr);

    // The message the control shows for a non-zero result, with fileName in place of "%s":
    // "Cannot load %s\nIt is not signed", "...\nSignature chaining failure.",
    // "...\nSignature failure.", or "...\nSignature check failed". Empty for kAccepted.
    static std::string MessageFor(std::uint32_t code, const std::string& fileName);
};

}  // namespace vessant
