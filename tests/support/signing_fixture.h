#pragma once
// A test certificate authority and a code-signing certificate made with the openssl command,
// for signing files as a component's publisher would. The verifier trusts the authority
// through SSL_CERT_FILE for as long as the object lives.

#include <cstdlib>
#include <string>

#include "support/acquisition_fixture.h"

namespace vessant::test {

class TestSigner {
public:
    TestSigner() {
        const std::string d = dir_.Path() + "/";
        WriteText(d + "codesign.ext", "keyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n");
        const std::string key = " -newkey rsa:2048 -nodes";
        ok_ = RunCommand("(cd '" + d + "' && openssl req -x509 -days 2 -subj /CN=TestRoot" + key +
                         " -keyout ca.key -out ca.pem -addext basicConstraints=critical,CA:TRUE"
                         " -addext keyUsage=critical,keyCertSign && openssl req -subj /CN=Publisher" +
                         key + " -keyout signer.key -out signer.csr && openssl x509 -req -days 2 -in signer.csr"
                         " -CA ca.pem -CAkey ca.key -CAcreateserial -extfile codesign.ext -out signer.pem)")
                  .status == 0;
        setenv("SSL_CERT_FILE", (d + "ca.pem").c_str(), 1);
    }
    ~TestSigner() { unsetenv("SSL_CERT_FILE"); }
    bool Ok() const { return ok_; }
    // Where the authority (ca.pem, ca.key) and the signer (signer.pem, signer.key) lie.
    const std::string& Directory() const { return dir_.Path(); }
    // Writes file + ".p7s", the detached DER signature of file.
    bool Sign(const std::string& file) const {
        const std::string d = dir_.Path() + "/";
        return RunCommand("openssl cms -sign -binary -outform DER -in '" + file + "' -signer " + d + "signer.pem -inkey " +
                          d + "signer.key -out '" + file + ".p7s'")
                   .status == 0;
    }

private:
    ScratchDir dir_;
    bool ok_ = false;
};

}  // namespace vessant::test
