// SPDX-License-Identifier: LGPL-2.1-or-later
#include <MavLibrary/MavLibrary.h>

#include <QRegularExpression>
#include <QTest>

class tst_LibraryInfo : public QObject
{
    Q_OBJECT

private slots:
    void versions_data();
    void versions();
};

void tst_LibraryInfo::versions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("library") << Quorvex::LibraryInfo::version()
                             << QStringLiteral("^" MAVLIBRARY_VERSION_STRING "$");
    QTest::newRow("qt") << Quorvex::LibraryInfo::qtVersion() << QStringLiteral("^6\\.\\d+\\.\\d+");
    QTest::newRow("openssl") << Quorvex::LibraryInfo::openSslVersion()
                             << QStringLiteral("^OpenSSL 3\\.");
    QTest::newRow("sqlite") << Quorvex::LibraryInfo::sqliteVersion()
                            << QStringLiteral("^3\\.\\d+\\.\\d+$");
}

void tst_LibraryInfo::versions()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QVERIFY2(QRegularExpression(pattern).match(text).hasMatch(), qPrintable(text));
}

QTEST_GUILESS_MAIN(tst_LibraryInfo)
#include "tst_libraryinfo.moc"
