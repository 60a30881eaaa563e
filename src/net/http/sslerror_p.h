// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "mavlibrary_internal_p.h"

#include <string>

namespace ztsc {

//! One record of OpenSSL's error queue, as SSLConnect::collectErrors() drains it.
class MAVLIBRARY_INTERNAL_EXPORT SSLError
{
public:
    SSLError() = default;
    virtual ~SSLError();

    std::string getFile() const { return m_file; }
    void setFile(const std::string &file) { m_file = file; }
    int getLine() const { return m_line; }
    void setLine(int line) { m_line = line; }
    std::string getData() const { return m_data; }
    void setData(const std::string &data) { m_data = data; }
    //! OpenSSL's text for the error, at most 256 characters.
    std::string getText() const { return m_text; }
    void setText(const std::string &text) { m_text = text; }

private:
    std::string m_file;
    int m_line = 0;
    std::string m_data;
    std::string m_text;
};

} // namespace ztsc
