// SPDX-License-Identifier: LGPL-2.1-or-later
#include "testenvironment.h"

#include "settings/registry_p.h"

#include <MavLibrary/settings/settingsfunctions.h>
#include <MavLibrary/settings/zentrixsettings.h>
#include <MavLibrary/text/utfconversion.h>

#include <QTest>

#include <cstring>
#include <memory>

using namespace ztds;
namespace reg = ztds::registry;
using reg::Hive;

namespace {

std::wstring keyPath(const QString &relative)
{
    QString path = QStringLiteral("SOFTWARE\\Zentrix\\") + relative;
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return path.toStdWString();
}

bool seed(Hive hive, const QString &path, const QString &name, int type, const QByteArray &data)
{
    auto key = reg::createKey(hive, keyPath(path));
    return key
        && key->setValue(name.toStdWString(), std::uint32_t(type),
                         std::string(data.constData(), std::size_t(data.size())));
}

bool raw(Hive hive, const QString &path, const QString &name, int &type, QByteArray &data)
{
    auto key = reg::openKey(hive, keyPath(path), reg::Access::Read);
    std::uint32_t t = 0;
    std::string bytes;
    if (!key || !key->queryValue(name.toStdWString(), t, bytes))
        return false;
    type = int(t);
    data = QByteArray(bytes.data(), qsizetype(bytes.size()));
    return true;
}

zttl::RefCountedPtr<IZentrixSettings> open(const std::string &path, OpenMode mode)
{
    IZentrixSettings *section = nullptr;
    zttl::RefCountedPtr<IZentrixSettings> owner;
    if (openSettings(path, mode, &section))
        owner.attach(section);
    return owner;
}

QString qs(const std::set<std::wstring> &names)
{
    QStringList list;
    for (const auto &n : names)
        list << QString::fromStdWString(n);
    return list.join(QLatin1Char(','));
}

} // namespace

class tst_ZentrixSettings : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<MavTest::TestEnvironment>(); }
    void cleanup() { m_env.reset(); }

    void fallback_data();
    void fallback();
    void typedReads_data();
    void typedReads();
    void storedLayout_data();
    void storedLayout();
    void pathsAndCase();
    void singleReadPaths_data();
    void singleReadPaths();
    void namesBeyondUnicode_data();
    void namesBeyondUnicode();
    void listings();
    void openModes_data();
    void openModes();
    void deleteSection();
    void referencesAndChildren();
    void narrowConversion();

private:
    std::unique_ptr<MavTest::TestEnvironment> m_env;
};

void tst_ZentrixSettings::fallback_data()
{
    QTest::addColumn<QString>("scope");
    QTest::addColumn<QString>("user"); // empty: none; "#": a DWORD
    QTest::addColumn<QString>("machine");
    QTest::addColumn<QString>("expected"); // empty: the read fails

    QTest::newRow("settings: user only") << "Settings"
                                         << "U"
                                         << ""
                                         << "U";
    QTest::newRow("settings: machine only") << "Settings"
                                            << ""
                                            << "M"
                                            << "M";
    QTest::newRow("settings: user hides machine") << "Settings"
                                                  << "U"
                                                  << "M"
                                                  << "U";
    QTest::newRow("settings: mistyped user value does not hide") << "Settings"
                                                                 << "#"
                                                                 << "M"
                                                                 << "M";
    QTest::newRow("install: machine") << "Install"
                                      << ""
                                      << "M"
                                      << "M";
    QTest::newRow("install: never the user hive") << "Install"
                                                  << "U"
                                                  << ""
                                                  << "";
    QTest::newRow("install: user value does not hide") << "Install"
                                                       << "U"
                                                       << "M"
                                                       << "M";
}

void tst_ZentrixSettings::fallback()
{
    QFETCH(QString, scope);
    QFETCH(QString, user);
    QFETCH(QString, machine);
    QFETCH(QString, expected);
    const QString path = scope + QStringLiteral("/Player");
    auto put = [&](Hive hive, const QString &value) {
        if (value == QLatin1String("#"))
            QVERIFY(seed(hive, path, "Name", reg::RegDword, QByteArray(4, '\1')));
        else if (!value.isEmpty())
            QVERIFY(seed(hive, path, "Name", reg::RegSz,
                         QByteArray::fromStdString(reg::wideToRegSz(value.toStdWString()))));
    };
    put(Hive::CurrentUser, user);
    put(Hive::LocalMachine, machine);

    std::string result = "untouched";
    const bool ok = scope == QLatin1String("Settings")
        ? userSettings::getString(std::string("Player"), std::string("Name"), result)
        : installSettings::getString(std::string("Player"), std::string("Name"), result);
    QCOMPARE(ok, !expected.isEmpty());
    QCOMPARE(QString::fromStdString(result),
             expected.isEmpty() ? QStringLiteral("untouched") : expected);
    std::wstring wide;
    QCOMPARE(scope == QLatin1String("Settings")
                 ? userSettings::getString(L"Player", L"Name", wide)
                 : installSettings::getString(L"Player", L"Name", wide),
             ok);
}

void tst_ZentrixSettings::typedReads_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("getter");
    QTest::addColumn<QString>("expected"); // empty: refused

    const QByteArray dword7 = QByteArray::fromHex("07000000");
    const QByteArray minusOne = QByteArray::fromHex("ffffffffffffffff");
    QTest::newRow("dword 7 getQword") << 4 << dword7 << "getQword"
                                      << "7";
    QTest::newRow("dword 7 getDword") << 4 << dword7 << "getDword"
                                      << "7";
    QTest::newRow("dword 7 getDouble refused") << 4 << dword7 << "getDouble"
                                               << "";
    QTest::newRow("dword of 3 bytes refused") << 4 << QByteArray::fromHex("070000") << "getQword"
                                              << "";
    QTest::newRow("qword -1 getInt") << 11 << minusOne << "getInt"
                                     << "-1";
    QTest::newRow("qword -1 getInt64") << 11 << minusOne << "getInt64"
                                       << "-1";
    QTest::newRow("qword -1 getUInt64") << 11 << minusOne << "getUInt64"
                                        << "18446744073709551615";
    QTest::newRow("qword -1 getUInt") << 11 << minusOne << "getUInt"
                                      << "4294967295";
    QTest::newRow("qword getDword refused") << 11 << minusOne << "getDword"
                                            << "";
    QTest::newRow("qword of 7 bytes refused") << 11 << QByteArray(7, '\0') << "getQword"
                                              << "";
    QTest::newRow("qword 1.5 getDouble")
        << 11 << QByteArray::fromHex("000000000000f83f") << "getDouble"
        << "1.5";
    QTest::newRow("dword 5 getBool") << 4 << QByteArray::fromHex("05000000") << "getBool"
                                     << "true";
    QTest::newRow("dword 0 getBool") << 4 << QByteArray(4, '\0') << "getBool"
                                     << "false";
    QTest::newRow("qword getBool refused") << 11 << minusOne << "getBool"
                                           << "";
    QTest::newRow("sz getString") << 1 << QByteArray("H\0i\0\0\0", 6) << "getString"
                                  << "Hi";
    QTest::newRow("sz up to the first NUL") << 1 << QByteArray("H\0\0\0i\0\0\0", 8) << "getString"
                                            << "H";
    QTest::newRow("sz without NUL") << 1 << QByteArray("O\0K\0", 4) << "getString"
                                    << "OK";
    QTest::newRow("sz surrogate pair") << 1 << QByteArray::fromHex("34d81edd0000") << "getString"
                                       << QString::fromUtf8("\xF0\x9D\x84\x9E");
    QTest::newRow("sz U+00E9") << 1 << QByteArray("H\0\xE9\0\0\0", 6) << "getString"
                               << QStringLiteral("H\u00E9");
    QTest::newRow("sz odd last byte a character") << 1 << QByteArray("H\0i", 3) << "getString"
                                                  << "Hi";
    QTest::newRow("sz odd last byte NUL") << 1 << QByteArray("H\0\0", 3) << "getString"
                                          << "H";
    QTest::newRow("sz lone low surrogate")
        << 1 << QByteArray::fromHex("00dc41000000") << "getString" << QString(QChar(0xDC00)) + 'A';
    QTest::newRow("sz lone high surrogate inside")
        << 1 << QByteArray::fromHex("00d841000000") << "getString" << QString(QChar(0xD800)) + 'A';
    QTest::newRow("sz lone high surrogate last, UTF-8 refused")
        << 1 << QByteArray::fromHex("410000d8") << "getString" << QString('A') + QChar(0xD800);
    QTest::newRow("sz high surrogate before the NUL")
        << 1 << QByteArray::fromHex("410000d80000") << "getString" << QString('A') + QChar(0xD800);
    QTest::newRow("sz of 0 bytes refused") << 1 << QByteArray() << "getString"
                                           << "";
    QTest::newRow("expand sz refused") << 2 << QByteArray("H\0i\0\0\0", 6) << "getString"
                                       << "";
    QTest::newRow("binary getBinary") << 3 << QByteArray::fromHex("00ff10") << "getBinary"
                                      << "00ff10";
    QTest::newRow("empty binary refused") << 3 << QByteArray() << "getBinary"
                                          << "";
    QTest::newRow("sz getBinary refused") << 1 << QByteArray("H\0\0\0", 4) << "getBinary"
                                          << "";
}

void tst_ZentrixSettings::typedReads()
{
    QFETCH(int, type);
    QFETCH(QByteArray, data);
    QFETCH(QString, getter);
    QFETCH(QString, expected);
    QVERIFY(seed(Hive::CurrentUser, "Settings/T", "v", type, data));

    const std::string s = "T", n = "v";
    QString got;
    bool ok = false;
    const auto number = [&](auto v, auto read) {
        ok = read(v);
        got = QString::number(v);
    };
    if (getter == QLatin1String("getQword"))
        number(std::uint64_t(42), [&](auto &v) { return userSettings::getQword(s, n, v); });
    else if (getter == QLatin1String("getInt"))
        number(42, [&](auto &v) { return userSettings::getInt(s, n, v); });
    else if (getter == QLatin1String("getUInt"))
        number(42u, [&](auto &v) { return userSettings::getUInt(s, n, v); });
    else if (getter == QLatin1String("getInt64"))
        number(std::int64_t(42), [&](auto &v) { return userSettings::getInt64(s, n, v); });
    else if (getter == QLatin1String("getUInt64"))
        number(std::uint64_t(42), [&](auto &v) { return userSettings::getUInt64(s, n, v); });
    else if (getter == QLatin1String("getDword"))
        number(42u, [&](auto &v) { return userSettings::getDword(s, n, v); });
    else if (getter == QLatin1String("getDouble"))
        number(42.0, [&](auto &v) { return userSettings::getDouble(s, n, v); });
    else if (getter == QLatin1String("getBool")) {
        bool v = false;
        ok = userSettings::getBool(s, n, v);
        got = v ? QStringLiteral("true") : QStringLiteral("false");
    } else if (getter == QLatin1String("getString")) {
        std::wstring v = L"42";
        ok = userSettings::getString(std::wstring(L"T"), std::wstring(L"v"), v);
        got = QString::fromStdWString(v);
        // The UTF-8 read decodes on its own way: the same text, or a refusal
        // where the text has no UTF-8 form.
        bool encodes = true;
        const std::string utf8 = ok ? wideToUtf8(v, &encodes) : std::string();
        std::string narrow = "42";
        QCOMPARE(userSettings::getString(s, n, narrow), ok && encodes);
        QCOMPARE(narrow, ok && encodes ? utf8 : std::string("42"));
    } else if (getter == QLatin1String("getBinary")) {
        zttl::MemoryBuffer<char> v;
        ok = userSettings::getBinary(s, n, v);
        got = ok ? QString::fromLatin1(QByteArray(v.data(), qsizetype(v.size())).toHex())
                 : QStringLiteral("42");
    }
    QCOMPARE(ok, !expected.isEmpty());
    if (ok)
        QCOMPARE(got, expected);
    else if (getter != QLatin1String("getBool"))
        QCOMPARE(got, QStringLiteral("42")); // a refused read leaves the result alone
}

void tst_ZentrixSettings::storedLayout_data()
{
    QTest::addColumn<QString>("setter");
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("data");

    QTest::newRow("setInt -1") << "setInt" << 11 << QByteArray::fromHex("ffffffffffffffff");
    QTest::newRow("setUInt max") << "setUInt" << 11 << QByteArray::fromHex("ffffffff00000000");
    QTest::newRow("setInt64 min") << "setInt64" << 11 << QByteArray::fromHex("0000000000000080");
    QTest::newRow("setDword 7") << "setDword" << 4 << QByteArray::fromHex("07000000");
    QTest::newRow("setDouble 1.5") << "setDouble" << 11 << QByteArray::fromHex("000000000000f83f");
    QTest::newRow("setBool true") << "setBool" << 4 << QByteArray::fromHex("01000000");
    QTest::newRow("setString with NUL")
        << "setString" << 1 << QByteArray::fromHex("4100e90034d81edd0000");
    QTest::newRow("setString empty") << "setStringEmpty" << 1 << QByteArray(2, '\0');
    QTest::newRow("setBinary empty") << "setBinary" << 3 << QByteArray();
}

void tst_ZentrixSettings::storedLayout()
{
    QFETCH(QString, setter);
    QFETCH(int, type);
    QFETCH(QByteArray, data);
    const std::string s = "L", n = "v";
    bool ok = false;
    if (setter == QLatin1String("setInt"))
        ok = userSettings::setInt(s, n, -1);
    else if (setter == QLatin1String("setUInt"))
        ok = userSettings::setUInt(s, n, 0xffffffffu);
    else if (setter == QLatin1String("setInt64"))
        ok = userSettings::setInt64(s, n, INT64_MIN);
    else if (setter == QLatin1String("setDword"))
        ok = userSettings::setDword(s, n, 7);
    else if (setter == QLatin1String("setDouble"))
        ok = userSettings::setDouble(s, n, 1.5);
    else if (setter == QLatin1String("setBool"))
        ok = userSettings::setBool(s, n, true);
    else if (setter == QLatin1String("setString"))
        ok = userSettings::setString(s, n, std::string("A\xC3\xA9\xF0\x9D\x84\x9E"));
    else if (setter == QLatin1String("setStringEmpty"))
        ok = userSettings::setString(s, n, std::wstring());
    else if (setter == QLatin1String("setBinary"))
        ok = userSettings::setBinary(s, n, nullptr, 0);
    QVERIFY(ok);
    int storedType = 0;
    QByteArray stored;
    QVERIFY(raw(Hive::CurrentUser, "Settings/L", "v", storedType, stored));
    QCOMPARE(storedType, type);
    QCOMPARE(stored.toHex(), data.toHex());
    QVERIFY(!reg::openKey(Hive::LocalMachine, keyPath("Settings/L"), reg::Access::Read));
}

void tst_ZentrixSettings::pathsAndCase()
{
    QVERIFY(userSettings::setInt("Player/Video", "Brightness", 3));
    int value = 0;
    QVERIFY(userSettings::getInt("Player\\Video", "Brightness", value));
    QCOMPARE(value, 3);
    QVERIFY(userSettings::getInt("PLAYER/video", "BRIGHTNESS", value));
    QVERIFY(
        userSettings::setInt("player/VIDEO", "brightness", 4)); // one value, first spelling kept
    std::set<std::wstring> names;
    QVERIFY(userSettings::getValueNames(std::wstring(L"Player/Video"), names));
    QCOMPARE(qs(names), QStringLiteral("Brightness"));
    QVERIFY(userSettings::getSectionNames(std::wstring(L"player"), names));
    QCOMPARE(qs(names), QStringLiteral("Video"));
    QVERIFY(userSettings::getInt("Player/Video", "Brightness", value));
    QCOMPARE(value, 4);
    QVERIFY(!userSettings::setInt("", "x", 1));
    QVERIFY(!userSettings::setInt("Player", "", 1));
}

// A single read takes a shorter way to the value than openSettings: it must find
// exactly what an opened section finds.
void tst_ZentrixSettings::singleReadPaths_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<bool>("found");

    QTest::newRow("slashes") << "Player/Video" << true;
    QTest::newRow("backslashes") << "Player\\Video" << true;
    QTest::newRow("other case") << "pLAYER/vIDEO" << true;
    QTest::newRow("trailing separator") << "Player/Video/" << true;
    QTest::newRow("two trailing separators") << "Player/Video//" << false;
    QTest::newRow("empty part") << "Player//Video" << false;
    QTest::newRow("leading separator") << "/Player/Video" << false;
    QTest::newRow("parent") << "Player" << false;
    QTest::newRow("separator only") << "/" << false;
    QTest::newRow("non-ASCII, other case") << QStringLiteral("\u00C4rger/\u00F6L") << true;
    QTest::newRow("non-ASCII after ASCII") << QStringLiteral("pLAYER/\u00E4RGER/") << true;
    QTest::newRow("non-ASCII, empty part") << QStringLiteral("\u00C4rger//\u00D6l") << false;
    QTest::newRow("part of 255") << QString(255, QLatin1Char('p')) << true;
    QTest::newRow("part of 256") << QString(256, QLatin1Char('p')) << false;
}

void tst_ZentrixSettings::singleReadPaths()
{
    QFETCH(QString, section);
    QFETCH(bool, found);
    QVERIFY(userSettings::setInt("Player/Video", "x", 7));
    QVERIFY(userSettings::setInt("\xC3\x84rger/\xC3\x96l", "x", 7));
    QVERIFY(userSettings::setInt("Player/\xC3\x84rger", "x", 7));
    QVERIFY(userSettings::setInt(std::string(255, 'p'), "x", 7));

    auto opened = open("Settings/" + section.toStdString(), ReadUserAndMachine);
    int value = 0;
    QCOMPARE(opened && opened->getInt(std::string("x"), value), found);
    value = 0;
    QCOMPARE(userSettings::getInt(section.toStdString(), "x", value), found);
    QCOMPARE(value, found ? 7 : 0);
    value = 0;
    QCOMPARE(userSettings::getInt(section.toStdWString(), L"x", value), found);
    QCOMPARE(value, found ? 7 : 0);
}

// A wchar_t beyond Unicode is no name: it used to match the name of its low
// byte (negative ones) or of U+FFFD.
void tst_ZentrixSettings::namesBeyondUnicode_data()
{
    QTest::addColumn<qint64>("character");
    QTest::addColumn<QString>("alias");
    QTest::addColumn<bool>("inSection");

    QTest::newRow("negative, value name") << qint64(-0xBF) << "A" << false;
    QTest::newRow("negative, section") << qint64(-0xBF) << "A" << true;
    QTest::newRow("above U+10FFFF, value name") << qint64(0x110041) << "\uFFFD" << false;
    QTest::newRow("above U+10FFFF, section") << qint64(0x110041) << "\uFFFD" << true;
}

void tst_ZentrixSettings::namesBeyondUnicode()
{
    QFETCH(qint64, character);
    QFETCH(QString, alias);
    QFETCH(bool, inSection);
    const std::wstring bad(1, wchar_t(character)), plain = alias.toStdWString();
    const std::wstring section = inSection ? plain : L"Names", name = inSection ? L"v" : plain;
    const std::wstring badSection = inSection ? bad : section, badName = inSection ? name : bad;
    QVERIFY(userSettings::setInt(section, name, 1));

    int value = 0;
    QVERIFY(!userSettings::getInt(badSection, badName, value));
    IZentrixSettings *opened = nullptr;
    if (openSettings(L"Settings\\" + badSection, ReadUser, &opened)) {
        QVERIFY(!opened->getInt(badName, value));
        opened->release();
    }
    QVERIFY(!userSettings::setInt(badSection, badName, 2));
    QVERIFY(userSettings::getInt(section, name, value));
    QCOMPARE(value, 1);
}

void tst_ZentrixSettings::listings()
{
    // The default value is not a name; a name of any legal length is listed.
    const std::wstring longName(2000, L'n');
    const std::wstring longest(reg::MaxValueNameLength, L'x');
    QVERIFY(seed(Hive::CurrentUser, "Settings/List", "", reg::RegSz, QByteArray(2, '\0')));
    QVERIFY(userSettings::setInt(L"List", L"a", 1));
    QVERIFY(userSettings::setInt(L"List", longName, 1));
    QVERIFY(userSettings::setInt(L"List", longest, 1));
    QVERIFY(userSettings::setInt(L"List", L"b", 1));
    QVERIFY(!userSettings::setInt(L"List", longest + L"x", 1));
    unsigned count = 0;
    QVERIFY(userSettings::getValueCount("List", count));
    QCOMPARE(count, 4u);

    // Mode 5 merges both hives, each name once.
    for (const char *name : {"a", "b"})
        QVERIFY(seed(Hive::CurrentUser, QStringLiteral("Settings/M/") + name, "x", 4,
                     QByteArray(4, 0)));
    for (const char *name : {"b", "c"})
        QVERIFY(seed(Hive::LocalMachine, QStringLiteral("Settings/M/") + name, "x", 4,
                     QByteArray(4, 0)));
    QVERIFY(seed(Hive::CurrentUser, "Settings/M", "u", 4, QByteArray(4, 0)));
    QVERIFY(seed(Hive::LocalMachine, "Settings/M", "u", 4, QByteArray(4, 0)));
    QVERIFY(seed(Hive::LocalMachine, "Settings/M", "m", 4, QByteArray(4, 0)));
    std::set<std::wstring> names = {L"stale"};
    QVERIFY(userSettings::getSectionNames(std::wstring(L"M"), names));
    QCOMPARE(qs(names), QStringLiteral("a,b,c"));
    QVERIFY(userSettings::getSectionCount("M", count));
    QCOMPARE(count, 3u);
    QVERIFY(userSettings::getValueNames(std::wstring(L"M"), names));
    QCOMPARE(qs(names), QStringLiteral("m,u"));
    QVERIFY(installSettings::getSectionCount("M", count) == false); // Install/M does not exist
}

void tst_ZentrixSettings::openModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("userKey");
    QTest::addColumn<bool>("machineKey");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("writesTo"); // user, machine or none

    QTest::newRow("1 OpenUser, user key") << 1 << true << false << true << "user";
    QTest::newRow("1 OpenUser, no key") << 1 << false << true << false << "none";
    QTest::newRow("2 OpenUserAndMachine, both") << 2 << true << true << true << "user";
    QTest::newRow("2 OpenUserAndMachine, machine only") << 2 << false << true << true << "none";
    QTest::newRow("3 OpenMachine") << 3 << true << true << true << "machine";
    QTest::newRow("3 OpenMachine, no machine key") << 3 << true << false << false << "none";
    QTest::newRow("4 ReadUser") << 4 << true << true << true << "none";
    QTest::newRow("5 ReadUserAndMachine, machine only") << 5 << false << true << true << "none";
    QTest::newRow("5 ReadUserAndMachine, no key") << 5 << false << false << false << "none";
    QTest::newRow("6 ReadMachine") << 6 << true << true << true << "none";
    QTest::newRow("7 CreateUser, creates") << 7 << false << false << true << "user";
    QTest::newRow("8 CreateUserOpenMachine, creates") << 8 << false << false << true << "user";
    QTest::newRow("8 CreateUserOpenMachine, both") << 8 << false << true << true << "user";
    QTest::newRow("9 CreateMachine, creates") << 9 << false << false << true << "machine";
}

void tst_ZentrixSettings::openModes()
{
    QFETCH(int, mode);
    QFETCH(bool, userKey);
    QFETCH(bool, machineKey);
    QFETCH(bool, opens);
    QFETCH(QString, writesTo);
    if (userKey)
        QVERIFY(reg::createKey(Hive::CurrentUser, keyPath("Settings/Mode")));
    if (machineKey)
        QVERIFY(reg::createKey(Hive::LocalMachine, keyPath("Settings/Mode")));

    auto section = open("Settings/Mode", OpenMode(mode));
    QCOMPARE(bool(section), opens);
    if (!section)
        return;
    QCOMPARE(section->refCount(), 1);
    QCOMPARE(section->setInt("w", 1), writesTo != QLatin1String("none"));
    int type = 0;
    QByteArray data;
    QCOMPARE(raw(Hive::CurrentUser, "Settings/Mode", "w", type, data),
             writesTo == QLatin1String("user"));
    QCOMPARE(raw(Hive::LocalMachine, "Settings/Mode", "w", type, data),
             writesTo == QLatin1String("machine"));
}

void tst_ZentrixSettings::deleteSection()
{
    QVERIFY(userSettings::setInt("Gone/Deep/Deeper", "x", 1));
    QVERIFY(userSettings::setInt("Gone", "y", 1));
    QVERIFY(userSettings::setInt("GoneToo", "z", 1)); // a name that starts the same survives
    QVERIFY(seed(Hive::LocalMachine, "Settings/Gone", "m", 4, QByteArray(4, 0)));
    QVERIFY(userSettings::deleteSection("gone"));
    QVERIFY(!reg::openKey(Hive::CurrentUser, keyPath("Settings/Gone"), reg::Access::Read));
    QVERIFY(
        !reg::openKey(Hive::CurrentUser, keyPath("Settings/Gone/Deep/Deeper"), reg::Access::Read));
    int value = 0;
    QVERIFY(userSettings::getInt("GoneToo", "z", value));
    QVERIFY(userSettings::getInt("Gone", "m", value)); // the machine's tree stays
    // Only the machine's key is left; the user scope deletes in the user hive only.
    QVERIFY(!userSettings::deleteSection("Gone"));

    auto machine = open("Install/Tree", CreateMachine);
    QVERIFY(machine && machine->setInt("v", 1));
    QVERIFY(machine->deleteSection());
    QVERIFY(!installSettings::sectionExists("Tree"));

    QVERIFY(userSettings::setInt("Values", "a", 1));
    QVERIFY(userSettings::deleteValue("Values", "A"));
    QVERIFY(!userSettings::deleteValue("Values", "A"));
    QVERIFY(userSettings::sectionExists("Values"));
}

void tst_ZentrixSettings::referencesAndChildren()
{
    QVERIFY(userSettings::setInt("Ref/Child/Grand", "x", 1));
    auto parent = open("Settings/Ref", ReadUserAndMachine);
    QVERIFY(parent);
    QCOMPARE(parent->refCount(), 1);
    IZentrixSettings *first = nullptr;
    IZentrixSettings *second = nullptr;
    QVERIFY(parent->openSection(std::string("Child/Grand"), &first));
    QVERIFY(parent->openSection(std::wstring(L"Child\\Grand"), &second));
    QCOMPARE(first, second); // the children cache reuses one object
    QCOMPARE(first->refCount(), 3);
    std::string name;
    QVERIFY(first->getName(name));
    QCOMPARE(name, std::string("Grand"));
    QCOMPARE(first->release(), 2);
    QCOMPARE(second->release(), 1); // still held by its parent
    IZentrixSettings *missing = nullptr;
    QVERIFY(!parent->openSection(std::string("Nope"), &missing));
    QVERIFY(!parent->openSection(std::string("Nope"), &missing)); // not cached as opened
    QVERIFY(!missing);
}

void tst_ZentrixSettings::narrowConversion()
{
    const std::string invalid("\xC3(");
    QVERIFY(!userSettings::setInt("Conv", invalid, 1));
    QVERIFY(userSettings::setString("Conv", "s", invalid)); // stores the empty string
    std::string value = "x";
    QVERIFY(userSettings::getString("Conv", "s", value));
    QCOMPARE(value, std::string());
    // Bytes that are not UTF-8 are not read as Latin-1 either.
    QVERIFY(userSettings::setInt(L"Conv", L"\u00C3(", 1));
    QVERIFY(userSettings::setInt(L"Conv\u00C3(", L"\u00C3(", 1));
    int number = 0;
    QVERIFY(!userSettings::getInt("Conv", invalid, number));
    QVERIFY(!userSettings::getInt("Conv" + invalid, "s", number));
    QVERIFY(!userSettings::getInt("Conv" + invalid, invalid, number));
}

QTEST_GUILESS_MAIN(tst_ZentrixSettings)
#include "tst_zentrixsettings.moc"
