// Components fetched from a loopback HTTP server: merged addresses, signatures, cabinets and
// the per-user cache, with the server's request log showing what was fetched.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/acquisition_fixture.h"
#include "support/headless_control.h"
#include "support/signing_fixture.h"

namespace vessant {
namespace {

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
