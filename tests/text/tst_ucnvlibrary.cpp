// SPDX-License-Identifier: LGPL-2.1-or-later
// Registered more than once: with the system's ICU, and with ZENTRIX_ICU_LIBRARY
// naming a missing file or a library without the converter calls. The loader exists
// once per process, so each of those runs is its own process.
#include "text/ucnvlibrary_p.h"

#include <QTest>

using ztds::UCNVLibrary;

class tst_UCNVLibrary : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void isConverterAvailable_data();
    void isConverterAvailable();
    void conversionRoundTrip();
    void incompleteLoaderCallsNothing();
    void oneLoaderPerProcess();

private:
    bool m_complete = false; // what this run expects of the loader
};

void tst_UCNVLibrary::initTestCase()
{
    m_complete = qEnvironmentVariable("MAVTEST_ICU_EXPECT") == QLatin1String("complete");
    QCOMPARE(UCNVLibrary::instance()->isComplete(), m_complete);
}

void tst_UCNVLibrary::isConverterAvailable_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("available"); // with a complete loader

    QTest::newRow("437, known bare") << QByteArray("437") << true;
    QTest::newRow("1252, retried as windows-1252") << QByteArray("1252") << true;
    QTest::newRow("932, retried as windows-932") << QByteArray("932") << true;
    QTest::newRow("windows-1252") << QByteArray("windows-1252") << true;
    QTest::newRow("utf-8") << QByteArray("utf-8") << true;
    QTest::newRow("shift_jis") << QByteArray("shift_jis") << true;
    QTest::newRow("made-up name") << QByteArray("zentrix-1234") << false;
    QTest::newRow("number without a code page") << QByteArray("12345") << false;
    QTest::newRow("empty is not the default converter") << QByteArray("") << false;
    QTest::newRow("digits and letters, no retry") << QByteArray("1252x") << false;
}

void tst_UCNVLibrary::isConverterAvailable()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, available);
    QCOMPARE(UCNVLibrary::isConverterAvailable(name.constData()), available && m_complete);
    // Given no name, the answer is whether the loader exists, complete or not.
    QVERIFY(UCNVLibrary::isConverterAvailable(nullptr));
}

void tst_UCNVLibrary::conversionRoundTrip()
{
    if (!m_complete)
        QSKIP("needs the converter library");
    const UCNVLibrary *library = UCNVLibrary::instance();
    UCNVLibrary::ErrorCode status = 0;
    UCNVLibrary::Converter *converter = library->openConverter("windows-1252", &status);
    QVERIFY(converter);
    QVERIFY(status <= 0);

    const char input[] = "caf\xE9 \x80"; // Latin-1 e acute, then the euro sign
    char16_t wide[16];
    char16_t *target = wide;
    const char *source = input;
    library->toUnicode(converter, &target, wide + 16, &source, input + sizeof input - 1, nullptr,
                       true, &status);
    QVERIFY(status <= 0);
    QCOMPARE(QStringView(wide, target - wide), QStringLiteral("caf\u00E9 \u20AC"));

    char narrow[16];
    char *out = narrow;
    const char16_t *from = wide;
    library->fromUnicode(converter, &out, narrow + 16, &from, target, nullptr, true, &status);
    QVERIFY(status <= 0);
    QCOMPARE(QByteArray(narrow, out - narrow), QByteArray(input));
    library->closeConverter(converter);
}

void tst_UCNVLibrary::incompleteLoaderCallsNothing()
{
    if (m_complete)
        QSKIP("the loader is complete in this run");
    const UCNVLibrary *library = UCNVLibrary::instance();
    UCNVLibrary::ErrorCode status = 0;
    QCOMPARE(library->openConverter("utf-8", &status), nullptr);
    QCOMPARE(status, UCNVLibrary::InternalProgramError);

    // A made-up converter pointer proves nothing reaches a missing function.
    auto *bogus = reinterpret_cast<UCNVLibrary::Converter *>(0x1);
    char16_t wide[4];
    char16_t *target = wide;
    const char *source = "ab";
    status = 0;
    library->toUnicode(bogus, &target, wide + 4, &source, source + 2, nullptr, true, &status);
    QCOMPARE(status, UCNVLibrary::InternalProgramError);
    QCOMPARE(target, wide);
    library->closeConverter(bogus);
}

void tst_UCNVLibrary::oneLoaderPerProcess()
{
    QCOMPARE(UCNVLibrary::instance(), UCNVLibrary::instance());
}

QTEST_GUILESS_MAIN(tst_UCNVLibrary)
#include "tst_ucnvlibrary.moc"
