// Last-modified queries and downloads against a real HTTP server on the loopback interface;
// detached CMS signatures made at test time with the openssl command and test authorities;
// components a control fetches from such a server: merged addresses, signatures, cabinets and
// the per-user cache, with the server's request log showing what was fetched.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utime.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "control/acquisition/remote_source.h"
#include "control/acquisition/signature_verifier.h"
#include "support/acquisition_fixture.h"
#include "support/headless_control.h"
#include "support/log_capture.h"
#include "support/signing_fixture.h"

namespace vessant {
namespace {

using test::ReadText;

constexpr std::time_t kServedTime = 1614834367;  // 2021-03-04 05:06:07 UTC

class RemoteSourceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        root_ = std::make_unique<test::ScratchDir>();
        body_ = std::string(300000, 'c') + "end";
        test::WriteText(*root_ / "dial.cab", body_);
        struct utimbuf times = {kServedTime, kServedTime};
        utime((*root_ / "dial.cab").c_str(), &times);
        server_ = std::make_unique<test::LoopbackServer>(root_->Path());
    }
    static void TearDownTestSuite() {
        server_.reset();
        root_.reset();
    }
    void SetUp() override {
        ASSERT_TRUE(server_->Running());
        server_->ClearRequests();
    }
    // An address where nothing listens: a port just bound and released.
    static std::string RefusingAddress() {
        const int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        bind(s, reinterpret_cast<sockaddr*>(&address), size);
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
        close(s);
        return "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/dial.cab";
    }

    static std::unique_ptr<test::ScratchDir> root_;
    static std::unique_ptr<test::LoopbackServer> server_;
    static std::string body_;
    test::ScratchDir out_;
};
std::unique_ptr<test::ScratchDir> RemoteSourceTest::root_;
std::unique_ptr<test::LoopbackServer> RemoteSourceTest::server_;
std::string RemoteSourceTest::body_;

TEST_F(RemoteSourceTest, QueriesTheLastModifiedTimeWithOneHeadRequest) {
    const std::string address = server_->Url("/dial.cab");
    ModificationRecord record;
    vessant::test::CaptureLog();
    const TransferResult result = RemoteSource(address).QueryModificationTime(&record);
    const std::string output = vessant::test::TakeCapturedLog();
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_EQ(record, ModificationRecord::FromUnixTime(kServedTime));
    EXPECT_EQ(output, address + "\n2021-03-04 05:06:07 UTC\n");
    EXPECT_EQ(server_->Requests(), "HEAD /dial.cab\n");
}

TEST_F(RemoteSourceTest, FailedQueriesLeaveTheFillerAndSaySo) {
    struct Case {
        std::string address;
        TransferResult::Outcome outcome;
        std::string line;
    } cases[] = {
        {server_->Url("/absent.cab"), TransferResult::HTTP_ERROR, "Problem getting query info on: "},
        {server_->Url("/status/500"), TransferResult::HTTP_ERROR, "Problem getting query info on: "},
        {RefusingAddress(), TransferResult::CONNECT_FAILED, "Couldn't get query info on: "},
        {"http://[::1/dial.cab", TransferResult::BAD_ADDRESS, "Couldn't get query info on: "},
    };
    for (const Case& c : cases) {
        ModificationRecord record;
        vessant::test::CaptureLog();
        const TransferResult result = RemoteSource(c.address).QueryModificationTime(&record);
        EXPECT_EQ(vessant::test::TakeCapturedLog(), c.line + c.address + "\n");
        EXPECT_EQ(result.outcome, c.outcome) << c.address << ": " << result.message;
        EXPECT_TRUE(record.IsFiller());
    }
}

// Successful downloads, with their progress, are driven through the control by the remote
// component tests.
TEST_F(RemoteSourceTest, FailedDownloadsKeepTheEarlierFile) {
    const std::string destination = out_ / "dial.download";
    struct Case {
        std::string address;
        TransferResult::Outcome outcome;
        long status;
    } cases[] = {
        {server_->Url("/absent.cab"), TransferResult::HTTP_ERROR, 404},
        {server_->Url("/status/500"), TransferResult::HTTP_ERROR, 500},
        {server_->Url("/cut/dial.cab"), TransferResult::INCOMPLETE, 200},
        {RefusingAddress(), TransferResult::CONNECT_FAILED, 0},
        {"http://[::1/dial.cab", TransferResult::BAD_ADDRESS, 0},
        {"file:///etc/passwd", TransferResult::BAD_ADDRESS, 0},
    };
    for (const Case& c : cases) {
        test::WriteText(destination, "earlier");
        const TransferResult result = RemoteSource(c.address).Download(destination, nullptr);
        EXPECT_EQ(result.outcome, c.outcome) << c.address << ": " << result.message;
        EXPECT_EQ(result.httpStatus, c.status) << c.address;
        EXPECT_FALSE(result.message.empty());
        EXPECT_EQ(ReadText(destination), "earlier") << c.address;
        EXPECT_EQ(test::CountEntries(out_.Path()), 1) << c.address << ": no temporary file left";
    }

    // The control closing: the progress callback says stop.
    const TransferResult aborted = RemoteSource(server_->Url("/dial.cab"))
                                       .Download(out_ / "aborted", [](std::uint64_t, std::uint64_t,
                                                                      const std::string&) { return false; });
    EXPECT_EQ(aborted.outcome, TransferResult::ABORTED);
    EXPECT_FALSE(test::Exists(out_ / "aborted"));
}

TEST(ProgressTextTest, TruncatedPercentAndNothingWithoutAMaximum) {
    EXPECT_EQ(RemoteSource::ProgressText(1, 3, "http://h/dial.cab"), "Downloading ... 33%\nhttp://h/dial.cab\n");
    EXPECT_EQ(RemoteSource::ProgressText(2, 3, ""), "Downloading ... 66%\n\n");
    EXPECT_EQ(RemoteSource::ProgressText(3, 3, "x"), "Downloading ... 100%\nx\n");
    EXPECT_EQ(RemoteSource::ProgressText(3000000000u, 4000000000u, "x"), "Downloading ... 75%\nx\n");
    EXPECT_EQ(RemoteSource::ProgressText(12345, 0, "x"), "");
    // More than announced (a server that lies) still gives a text, not an overflow.
    EXPECT_EQ(RemoteSource::ProgressText(~0ull, 1, "x").compare(0, 16, "Downloading ... "), 0);
    // A long status text is carried whole.
    EXPECT_EQ(RemoteSource::ProgressText(0, 1, std::string(5000, 's')).size(), 20u + 5000u);
}

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

using test::Probe;

class RemoteComponent : public ::testing::Test {
protected:
    void SetUp() override {
        if (!signer_.Ok()) GTEST_SKIP() << "openssl could not make the test certificates";
        if (!server_.Running()) GTEST_SKIP() << "the loopback server did not start";
        setenv("TEMP", cache_.Path().c_str(), 1);
        app_ = site_.Path() + "/app/";
        ACQ_RUN("mkdir -p '" + app_ + "' && cp '" + Probe() + "' '" + app_ + "probe.so' && cd '" + app_ +
                "' && gcab -c -z probe.cab probe.so && cp probe.so libplain.so");
        ASSERT_TRUE(signer_.Sign(app_ + "probe.cab"));
        ASSERT_TRUE(signer_.Sign(app_ + "libplain.so"));
    }
    void TearDown() override { unsetenv("TEMP"); }

    // A fresh control that loads `name` against the page /app/page.html; returns its messages.
    std::vector<std::string> Load(const std::string& name, bool* loaded) {
        test::HeadlessControl hc(32, 32);
        std::vector<std::string> messages;
        if (!hc.Ok()) return messages;
        hc.Control().SetMessageListener([&messages](const std::string& m) { messages.push_back(m); });
        hc.Control().SetDocumentAddress(server_.Url("/app/page.html"));
        hc.Control().SetComponentFileName(name);
        *loaded = hc.Control().Wrapper() != nullptr && !hc.Control().GetAttrib("log").empty();
        return messages;
    }
    int Count(const std::string& request) const {
        const std::string log = server_.Requests();
        int n = 0;
        for (size_t at = log.find(request); at != std::string::npos; at = log.find(request, at + 1)) ++n;
        return n;
    }

    test::TestSigner signer_;
    test::ScratchDir site_;
    test::ScratchDir cache_;
    test::LoopbackServer server_{site_.Path()};
    std::string app_;
};

TEST_F(RemoteComponent, SignedCabinetIsDownloadedVerifiedUnpackedAndCachedOnce) {
    bool loaded = false;
    auto messages = Load("probe.cab", &loaded);
    EXPECT_TRUE(loaded) << (messages.empty() ? "" : messages.back());
    EXPECT_EQ(Count("HEAD /app/probe.cab\n"), 1);
    EXPECT_EQ(Count("GET /app/probe.cab\n"), 1);
    EXPECT_EQ(Count("GET /app/probe.cab.p7s\n"), 1);
    for (const char* m : {"Loading probe.cab...", "Downloading probe.cab...", "Checking Security",
                          "Extracting Cab File...", "Loading Component..."})
        EXPECT_NE(std::find(messages.begin(), messages.end(), m), messages.end()) << m;
    const bool progress = std::any_of(messages.begin(), messages.end(), [this](const std::string& m) {
        return m.rfind("Downloading ... ", 0) == 0 && m.find("%\n" + server_.Url("/app/probe.cab") + "\n") != std::string::npos;
    });
    EXPECT_TRUE(progress);

    // Unchanged on the server: the cached copy loads without a download.
    server_.ClearRequests();
    Load("probe.cab", &loaded);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(Count("HEAD /app/probe.cab\n"), 1);
    EXPECT_EQ(Count("GET "), 0);

    // A newer file on the server is fetched again.
    ACQ_RUN("touch -d '+1 hour' '" + app_ + "probe.cab'");
    ASSERT_TRUE(signer_.Sign(app_ + "probe.cab"));
    server_.ClearRequests();
    Load("probe.cab", &loaded);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(Count("GET /app/probe.cab\n"), 1);
}

TEST_F(RemoteComponent, RejectedSignatureKeepsTheEarlierCopy) {
    bool loaded = false;
    Load("probe.cab", &loaded);
    ASSERT_TRUE(loaded);
    ACQ_RUN("cd '" + app_ + "' && cp probe.cab good.cab && cp probe.cab.p7s good.cab.p7s && touch -r probe.cab stamp"
            " && printf x >> probe.cab && touch -d '+2 hours' probe.cab");
    auto messages = Load("probe.cab", &loaded);
    EXPECT_FALSE(loaded);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "Cannot load probe.cab\nSignature check failed");

    // The publisher puts the accepted file back: the cache still holds it, nothing is fetched.
    ACQ_RUN("cd '" + app_ + "' && cp good.cab probe.cab && cp good.cab.p7s probe.cab.p7s && touch -r stamp probe.cab");
    server_.ClearRequests();
    Load("probe.cab", &loaded);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(Count("GET "), 0);
}

TEST_F(RemoteComponent, UnsignedMissingAndUnreachableComponentsAreReported) {
    bool loaded = true;
    ACQ_RUN("cd '" + app_ + "' && cp probe.cab unsigned.cab");
    auto messages = Load("unsigned.cab", &loaded);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(messages.back(), "Cannot load unsigned.cab\nIt is not signed");

    messages = Load("missing.cab", &loaded);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(messages.back(), "Cannot load missing.cab\nDownload failed.");

    messages = Load("http://127.0.0.1:1/app/probe.cab", &loaded);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(messages.back(), "Cannot load http://127.0.0.1:1/app/probe.cab\nDownload failed.");

    messages = Load(std::string(1100, 'a') + ".cab", &loaded);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(messages.back(), "Cannot load " + std::string(1100, 'a') + ".cab");
    // None of the failed loads left a component folder behind.
    EXPECT_EQ(test::RunCommand("find '" + cache_.Path() + "' -mindepth 2 -type d | wc -l").output, "0\n");
}

TEST_F(RemoteComponent, AnAcceptedPlainLibraryIsCachedLikeALocalFile) {
    bool loaded = false;
    auto messages = Load("libplain.so", &loaded);
    EXPECT_TRUE(loaded) << (messages.empty() ? "" : messages.back());
    server_.ClearRequests();
    Load("libplain.so", &loaded);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(Count("GET "), 0);
}

TEST_F(RemoteComponent, TwoPlayersLoadingTheSameComponentAtOnceBothSucceed) {
    const std::string base = server_.Url("/app/page.html");
    const std::string command = test::PlayerPath() + " --headless --script --verbose --base-url " + base + " probe.cab";
    const std::string out = cache_.Path() + "/out";
    ACQ_RUN("for i in 1 2; do printf 'getattrib log\\nquit\\n' | TEMP='" + cache_.Path() + "' " + command + " > " +
            out + "$i 2>&1 & done; wait");
    for (const char* n : {"1", "2"}) {
        const std::string text = test::ReadText(out + n);
        EXPECT_NE(text.find("SetEmittedEventHandler set"), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace vessant
