// Detached CMS signatures made at test time with the openssl command and test authorities.
#include <gtest/gtest.h>

#include <memory>

#include "control/acquisition/signature_verifier.h"
#include "support/acquisition_fixture.h"
#include "support/signing_fixture.h"

namespace vessant {
namespace {

class SignatureVerifierTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        rogue_ = std::make_unique<test::TestSigner>("Rogue");  // an authority nobody trusts
        trusted_ = std::make_unique<test::TestSigner>();  // made last: SSL_CERT_FILE names it
        ASSERT_TRUE(rogue_->Ok() && trusted_->Ok());
        ASSERT_TRUE(trusted_->Issue("server", "serverAuth"));
        setenv("SSL_CERT_DIR", trusted_->Directory().c_str(), 1);  // no system roots
    }
    static void TearDownTestSuite() {
        unsetenv("SSL_CERT_DIR");
        trusted_.reset();
        rogue_.reset();
    }

    // Writes a component file and its signature by signer; returns the component's path.
    std::string Signed(const std::string& name, const std::string& signer, const std::string& options = "") {
        const std::string path = dir_ / name;
        test::WriteText(path, "component library bytes " + name);
        const test::TestSigner& by = signer == "stranger" ? *rogue_ : *trusted_;
        EXPECT_TRUE(by.Sign(path, signer == "stranger" ? "signer" : signer, options));
        return path;
    }
    static std::uint32_t Check(const std::string& file) {
        std::string detail;
        const std::uint32_t code = SignatureVerifier::Verify(file, file + ".p7s", &detail);
        EXPECT_EQ(code == 0, detail.empty()) << detail;
        return code;
    }

    static std::unique_ptr<test::TestSigner> rogue_, trusted_;
    test::ScratchDir dir_;
};
std::unique_ptr<test::TestSigner> SignatureVerifierTest::rogue_;
std::unique_ptr<test::TestSigner> SignatureVerifierTest::trusted_;

TEST_F(SignatureVerifierTest, AcceptsACodeSigningSignerFromATrustedRootAndMapsEachRefusalToItsCode) {
    EXPECT_EQ(Check(Signed("a.cab", "signer")), SignatureVerifier::kAccepted);
    EXPECT_EQ(Check(Signed("b.cab", "signer", "-noattr")), SignatureVerifier::kAccepted);

    const std::string d = dir_.Path() + "/";
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
    const std::pair<std::uint32_t, const char*> cases[] = {
        {SignatureVerifier::kNotSigned, "\nIt is not signed"},
        {SignatureVerifier::kChainFailure, "\nSignature chaining failure."},
        {SignatureVerifier::kUnknownForm, "\nSignature failure."},
        {SignatureVerifier::kBadDigest, "\nSignature check failed"},
        {SignatureVerifier::kWrongUsage, "\nSignature check failed"},
    };
    // A name is carried as it is, never read as a format.
    for (const auto& [code, text] : cases)
        EXPECT_EQ(SignatureVerifier::MessageFor(code, "%s"), std::string("Cannot load %s") + text);
    EXPECT_EQ(SignatureVerifier::MessageFor(SignatureVerifier::kAccepted, "dial.cab"), "");
}

}  // namespace
}  // namespace vessant
