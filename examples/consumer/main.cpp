// SPDX-License-Identifier: LGPL-2.1-or-later
#include <MavLibrary/MavLibrary.h>

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << "MavLibrary " << Quorvex::LibraryInfo::version() << " on Qt "
                        << Quorvex::LibraryInfo::qtVersion() << Qt::endl;
    const std::wstring wide = ztds::utf8ToWide("Gr\xC3\xBC\xC3\x9F"
                                               "e");
    return wide.size() == 5 ? 0 : 1;
}
