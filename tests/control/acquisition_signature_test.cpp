// Detached CMS signatures made at test time with the openssl command and a test CA.
#include <gtest/gtest.h>

#include <memory>

#include "control/acquisition/signature_verifier.h"
#include "support/acquisition_fixture.h"

namespace vessant {
namespace {

class SignatureVerifierTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<test::ScratchDir>();
        const std::string d = dir_->Path() + "/";
        const std::string key = " -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
        test::WriteText(d + "codesign.ext", "keyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n");
        test::WriteText(d + "server.ext", "keyUsage=critical,digitalSignature\nextendedKeyUsage=serverAuth\n");
        std::string script = "set -e; cd '" + d + "'\n";
        for (const char* ca : {"ca", "rogue"}) {
            script += std::string("openssl req -x509 -days 2 -subj /CN=") + ca + key + " -keyout " + ca +
                      ".key -out " + ca + ".pem -addext basicConstraints=critical,CA:TRUE" +
                      " -addext keyUsage=critical,keyCertSign\n";
        }
        // name, issuing CA, extensions
        const char* leaves[][3] = {{"signer", "ca", "codesign"}, {"server", "ca", "server"},
                                   {"stranger", "rogue", "codesign"}};
        for (const auto& leaf : leaves) {
            const std::string n = leaf[0], ca = leaf[1];
            script += "openssl req -subj /CN=" + n + key + " -keyout " + n + ".key -out " + n + ".csr\n";
            script += "openssl x509 -req -days 2 -in " + n + ".csr -CA " + ca + ".pem -CAkey " + ca +
                      ".key -CAcreateserial -extfile " + leaf[2] + ".ext -out " + n + ".pem\n";
        }
        test::WriteText(d + "make.sh", script);
        const auto made = test::RunCommand("sh '" + d + "make.sh'");
        ASSERT_EQ(made.status, 0) << made.output;
        setenv("SSL_CERT_FILE", (d + "ca.pem").c_str(), 1);
        setenv("SSL_CERT_DIR", dir_->Path().c_str(), 1);  // no system roots
    }
    static void TearDownTestSuite() { dir_.reset(); }

    // Writes a component file and its signature by signer; returns the component's path.
    std::string Signed(const std::string& name, const std::string& signer, const std::string& options = "") {
        const std::string d = dir_->Path() + "/";
        test::WriteText(d + name, "component library bytes " + name);
        const auto signedRun = test::RunCommand("openssl cms -sign -binary -outform DER " + options + " -in '" + d +
                                                name + "' -signer '" + d + signer + ".pem' -inkey '" + d + signer +
                                                ".key' -out '" + d + name + ".p7s'");
        EXPECT_EQ(signedRun.status, 0) << signedRun.output;
        return d + name;
    }
    static std::uint32_t Check(const std::string& file) {
        std::string detail;
        const std::uint32_t code = SignatureVerifier::Verify(file, file + ".p7s", &detail);
        EXPECT_EQ(code == 0, detail.empty()) << detail;
        return code;
    }

    static std::unique_ptr<test::ScratchDir> dir_;
};
std::unique_ptr<test::ScratchDir> SignatureVerifierTest::dir_;

TEST_F(SignatureVerifierTest, AcceptsACodeSigningSignerFromATrustedRoot) {
    EXPECT_EQ(Check(Signed("a.cab", "signer")), SignatureVerifier::kAccepted);
    EXPECT_EQ(Check(Signed("b.cab", "signer", "-noattr")), SignatureVerifier::kAccepted);
}

TEST_F(SignatureVerifierTest, MapsEachRefusalToItsCode) {
    const std::string d = dir_->Path() + "/";
    test::WriteText(d + "unsigned.cab", "bytes");
    EXPECT_EQ(Check(d + "unsigned.cab"), SignatureVerifier::kNotSigned);

    test::WriteText(d + "garbage.cab", "bytes");
    test::WriteText(d + "garbage.cab.p7s", "this is not DER");
    EXPECT_EQ(Check(d + "garbage.cab"), SignatureVerifier::kUnknownForm);

    const std::string tampered = Signed("tampered.cab", "signer");
    test::WriteText(tampered, "component library bytes altered");
    EXPECT_EQ(Check(tampered), SignatureVerifier::kBadDigest);

    EXPECT_EQ(Check(Signed("stranger.cab", "stranger")), SignatureVerifier::kChainFailure);
    EXPECT_EQ(Check(Signed("server.cab", "server")), SignatureVerifier::kWrongUsage);

    // The signature of one file does not vouch for another.
    Signed("other.cab", "signer");
    EXPECT_EQ(SignatureVerifier::Verify(d + "unsigned.cab", d + "other.cab.p7s"), SignatureVerifier::kBadDigest);
}

TEST(SignatureMessageTest, TextsForTheCodes) {
    EXPECT_EQ(SignatureVerifier::MessageFor(SignatureVerifier::kNotSigned, "dial.cab"),
              "Cannot load dial.cab\nIt is not signed");
    EXPECT_EQ(SignatureVerifier::MessageFor(SignatureVerifier::kChainFailure, "dial.cab"),
              "Cannot load dial.cab\nSignature chaining failure.");
    EXPECT_EQ(SignatureVerifier::MessageFor(SignatureVerifier::kUnknownForm, "dial.cab"),
              "Cannot load dial.cab\nSignature failure.");
    EXPECT_EQ(SignatureVerifier::MessageFor(SignatureVerifier::kBadDigest, "dial.cab"),
              "Cannot load dial.cab\nSignature check failed");
    EXPECT_EQ(SignatureVerifier::MessageFor(SignatureVerifier::kWrongUsage, "%s"), "Cannot load %s\nSignature check failed");
    EXPECT_EQ(SignatureVerifier::MessageFor(SignatureVerifier::kAccepted, "dial.cab"), "");
}

}  // namespace
}  // namespace vessant
