// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

// What the parts of the secure transport share: the process-wide state, and the
// helpers more than one of them needs. Not installed.

#include "keymaterial_p.h"

#include <openssl/types.h>

#include <atomic>
#include <string>
#include <vector>

namespace ztpm {
class CritSection;
class Mutex;
} // namespace ztpm

namespace ztsc::transport {

// The built-in material of one set, parsed once: OpenSSL 3 takes about a
// millisecond to decode it, longer than a whole request to a nearby server.
struct ParsedMaterial
{
    bool parsed = false;
    X509 *certificates[2] = {}; // authority, client
    std::string errors[2];
    EVP_PKEY *key = nullptr;
};

struct State
{
    int liveConnections = 0;
    std::atomic<bool> lockingReady = false;
    bool multiThreaded = true;
    std::vector<ztpm::Mutex *> cryptoLocks;
    ParsedMaterial material[2]; // by keymaterial::Set
    SSL_CTX *plainContexts[4] = {}; // by sslMethod, for requests without secure mode
};

//! The one state of the process; never destroyed.
State &state();
//! The library's global critical section, which guards state().
ztpm::CritSection *lock();

//! Parses the authority and client certificates of \a set into \a material.
void parseCertificates(keymaterial::Set set, ParsedMaterial *material);
//! OpenSSL's name of an error category; empty beyond the nine the client knows.
std::string categoryName(int category);
//! The one-line form of a certificate name; empty for none.
std::string oneLine(const X509_NAME *name);
//! An IP literal, brackets taken off, and its BIO family; empty for a host name.
std::string ipLiteral(const std::string &host, int *family = nullptr);

} // namespace ztsc::transport
