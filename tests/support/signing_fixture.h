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
    explicit TestSigner(const std::string& authority = "TestRoot") {
        const std::string d = dir_.Path() + "/";
        WriteText(d + "codesign.ext", "keyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n");
        const std::string key = " -newkey rsa:2048 -nodes";
        ok_ = RunCommand("(cd '" + d + "' && openssl req -x509 -days 2 -subj /CN=" + authority + key +
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
    // Writes file + ".p7s", the detached DER signature of file by the signer `name` (made by the
    // constructor or Issue); options go to openssl cms.
    bool Sign(const std::string& file, const std::string& name = "signer", const std::string& options = "") const {
        const std::string d = dir_.Path() + "/";
        return RunCommand("openssl cms -sign -binary -outform DER " + options + " -in '" + file + "' -signer " + d +
                          name + ".pem -inkey " + d + name + ".key -out '" + file + ".p7s'")
                   .status == 0;
    }
    // Issues name.pem and name.key from the authority, with this extended key usage.
    bool Issue(const std::string& name, const std::string& usage) const {
        const std::string d = dir_.Path() + "/";
        WriteText(d + name + ".ext", "keyUsage=critical,digitalSignature\nextendedKeyUsage=" + usage + "\n");
        return RunCommand("(cd '" + d + "' && openssl req -subj /CN=" + name + " -newkey rsa:2048 -nodes -keyout " + name +
                          ".key -out " + name + ".csr && openssl x509 -req -days 2 -in " + name +
                          ".csr -CA ca.pem -CAkey ca.key -CAcreateserial -extfile " + name + ".ext -out " + name + ".pem)")
                   .status == 0;
    }

private:
    ScratchDir dir_;
    bool ok_ = false;
};

}  // namespace vessant::test
