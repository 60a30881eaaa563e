// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

namespace ztsc {

//! The outcome of an HTTP operation.
enum HttpErrorIds {
    HttpSuccess = 0, //!< final status below 300, and the body was read
    HttpFailure = 1, //!< bad URL, connection, TLS, send or read failure, any other status
    HttpAborted = 2, //!< the progress callback asked to stop; also a new ping's result
    HttpNotModified = 3, //!< final status 304
    HttpCertificateRejected = 4 //!< the server certificate did not verify
};

} // namespace ztsc
