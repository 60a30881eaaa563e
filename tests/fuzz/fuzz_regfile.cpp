// SPDX-License-Identifier: LGPL-2.1-or-later
// libFuzzer target for the .reg parser of mavctl: any input parses or fails with
// a line number, never crashes; what parses writes back to text that parses to
// the same operations.
#include "settings/regfile_p.h"

#include <cstdint>
#include <cstdlib>
#include <map>

using ztds::registry::RegFile::Key;
using ztds::registry::Hive;
using ztds::registry::Operation;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto result = ztds::registry::RegFile::parse(bytes);
    if (!result.ok) {
        if (result.line < 1 || !result.operations.empty())
            std::abort();
        return 0;
    }
    // Keys that are only created, with their values, in one hive: written and parsed again.
    std::vector<Key> keys;
    std::map<std::wstring, std::size_t> index;
    for (const Operation &op : result.operations) {
        if (!ztds::registry::RegFile::isProductPath(QString::fromStdWString(op.path)))
            std::abort();
        if (op.hive != Hive::CurrentUser || op.kind == Operation::DeleteTree
            || op.kind == Operation::DeleteValue)
            return 0;
        if (op.kind == Operation::CreateKey) {
            if (index.count(op.path))
                return 0;
            index[op.path] = keys.size();
            keys.push_back({op.path, {}});
        } else {
            keys[index[op.path]].values.push_back({op.name, op.type, op.data});
        }
    }
    const auto again = ztds::registry::RegFile::parse(ztds::registry::RegFile::write(Hive::CurrentUser, keys));
    if (!again.ok || again.operations.size() != result.operations.size())
        std::abort();
    for (std::size_t i = 0; i < again.operations.size(); ++i) {
        const Operation &a = result.operations[i], &b = again.operations[i];
        if (a.kind != b.kind || a.path != b.path || a.name != b.name || a.type != b.type
            || a.data != b.data)
            std::abort();
    }
    return 0;
}
