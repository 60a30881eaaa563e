// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "mavlibrary_internal_p.h"

#include <string>

namespace ztsc::keymaterial {

enum Item { AuthorityCertificate, ClientCertificate, ClientKey };
enum Set { Production, Localhost };

//! The PEM text of one item of a set, unscrambled.
MAVLIBRARY_INTERNAL_EXPORT std::string text(Set set, Item item);

} // namespace ztsc::keymaterial
