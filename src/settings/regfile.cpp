// SPDX-License-Identifier: LGPL-2.1-or-later
#include "regfile_p.h"

#include <QList>
#include <QStringDecoder>
#include <QStringList>
#include <QtEndian>

#include <algorithm>

namespace ztds::registry::RegFile {

using ztds::registry::Hive;
using ztds::registry::Operation;

namespace {

const QString Header = QStringLiteral("Windows Registry Editor Version 5.00");
const QString UserRoot = QStringLiteral("HKEY_CURRENT_USER");
const QString MachineRoot = QStringLiteral("HKEY_LOCAL_MACHINE");

// QString::fromStdWString drops a leading U+FEFF as a byte order mark; names and
// values may start with one.
QString fromWide(const std::wstring &wide)
{
    QString text;
    text.reserve(qsizetype(wide.size()));
    for (wchar_t c : wide) {
        const auto cp = char32_t(c);
        if (cp > 0xFFFF && cp <= 0x10FFFF) {
            text += QChar(QChar::highSurrogate(cp));
            text += QChar(QChar::lowSurrogate(cp));
        } else {
            text += QChar(char16_t(cp > 0x10FFFF ? 0xFFFD : cp));
        }
    }
    return text;
}

struct Line
{
    int number;
    QString text;
};

// The line of the first lone surrogate in \a text, or 0.
int loneSurrogateLine(const QString &text)
{
    int line = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\n'))
            ++line;
        else if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return line;
    }
    return 0;
}

// UTF-8 that Qt decodes without a replacement: no illegal, overlong or cut
// sequence and no encoded surrogate. A U+FEFF stays text.
bool decodeUtf8(QByteArrayView bytes, QString &text)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::ConvertInitialBom
                               | QStringDecoder::Flag::Stateless);
    text = decoder(bytes);
    return !decoder.hasError();
}

// Splits the file into lines, decoding it as UTF-16 when it starts with a byte
// order mark and as strict UTF-8 otherwise; text that is not valid in its
// encoding is refused with the number of its line.
bool decodeLines(const QByteArray &bytes, std::vector<Line> &lines, ParseResult &result)
{
    auto fail = [&](int line, const char *encoding) {
        result.line = line;
        result.message = QStringLiteral("not valid %1 text").arg(QLatin1String(encoding));
        return false;
    };
    QString text;
    const bool le = bytes.startsWith("\xFF\xFE");
    const bool be = bytes.startsWith("\xFE\xFF");
    if (le || be) {
        // Not through a decoder: it would drop a U+FEFF inside the text as another BOM.
        const qsizetype units = (bytes.size() - 2) / 2;
        text.resize(units);
        if (le)
            qFromLittleEndian<char16_t>(bytes.constData() + 2, units, text.data());
        else
            qFromBigEndian<char16_t>(bytes.constData() + 2, units, text.data());
        if (const int line = loneSurrogateLine(text))
            return fail(line, "UTF-16");
        if (bytes.size() % 2) // half a unit at the end of the last line
            return fail(int(text.count(QLatin1Char('\n'))) + 1, "UTF-16");
    } else {
        const auto body = QByteArrayView(bytes).sliced(bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0);
        if (!decodeUtf8(body, text)) {
            const QList<QByteArray> split = body.toByteArray().split('\n');
            int line = 1;
            while (line < split.size() && decodeUtf8(split[line - 1], text))
                ++line;
            return fail(line, "UTF-8");
        }
    }
    const QStringList split = text.split(QLatin1Char('\n'));
    lines.reserve(std::size_t(split.size()));
    for (int i = 0; i < split.size(); ++i)
        lines.push_back({i + 1, split[i]});
    for (Line &line : lines) {
        while (line.text.endsWith(QLatin1Char('\r')))
            line.text.chop(1);
    }
    return true;
}

int hexDigit(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// The escapes of a quoted string, read and written from this one table.
constexpr struct
{
    char16_t letter;
    char16_t character;
} Escapes[] = {{u'\\', u'\\'}, {u'"', u'"'},  {u'n', u'\n'},
               {u'r', u'\r'},  {u't', u'\t'}, {u'0', u'\0'}};

// Reads a quoted string starting at text[pos] == '"'; pos ends after the closing quote.
bool readQuoted(const QString &text, int &pos, QString &out, QString &error)
{
    out.clear();
    ++pos;
    while (pos < text.size()) {
        const QChar c = text[pos++];
        if (c == QLatin1Char('"'))
            return true;
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (pos >= text.size())
            break;
        const QChar e = text[pos++];
        const auto *escape = std::find_if(std::begin(Escapes), std::end(Escapes),
                                          [e](const auto &x) { return x.letter == e.unicode(); });
        if (escape == std::end(Escapes)) {
            error = QStringLiteral("unknown escape sequence \\%1").arg(e);
            return false;
        }
        out += QChar(escape->character);
    }
    error = QStringLiteral("unterminated string");
    return false;
}

std::string regSz(const QString &text)
{
    return ztds::registry::wideToRegSz(text.toStdWString());
}

} // namespace

namespace {

// Why \a path cannot be a key of the file; empty when it can.
QString productPathError(const QString &path, const QString &name)
{
    const QString product = QStringLiteral("SOFTWARE\\Zentrix");
    if (!path.startsWith(product, Qt::CaseInsensitive)
        || (path.size() > product.size() && path[product.size()] != QLatin1Char('\\')))
        return QStringLiteral("key outside SOFTWARE\\Zentrix: \"%1\"").arg(name);
    std::string error;
    if (!ztds::registry::checkKeyPath(path.toStdWString(), &error))
        return QString::fromStdString(error);
    return {};
}

} // namespace

bool isProductPath(const QString &path)
{
    return productPathError(path, path).isEmpty();
}

namespace {

/*
    Lines, as regedit writes them:
      Windows Registry Editor Version 5.00     first line
      [HKEY_CURRENT_USER\SOFTWARE\Zentrix\A]   a key, created when missing
      [-HKEY_LOCAL_MACHINE\SOFTWARE\Zentrix\B] a key deleted with its tree
      "name"="text"   @="default"   "n"=-     string, default value, deletion
      "d"=dword:0000000a   "b"=hex:01,02   "t"=hex(N):...   typed bytes; a line
                                           ending in '\' continues on the next
      ; comment
    One function a kind of line; each returns false once it has recorded the
    first error, which ends the parse.
*/
class Parser
{
public:
    explicit Parser(std::vector<Line> lines)
        : m_lines(std::move(lines))
    { }

    ParseResult run();

private:
    bool header(const QString &text, int number);
    bool key(const QString &text, int number);
    bool value(const QString &text, int number);
    bool valueName(const QString &text, int number, QString &name, int &pos);
    bool stringData(const QString &data, int number, Operation &op);
    bool dwordData(const QString &data, int number, Operation &op);
    bool hexData(const QString &data, int number, Operation &op);

    bool fail(int line, const QString &message)
    {
        m_result.line = line;
        m_result.message = message;
        return false;
    }

    std::vector<Line> m_lines;
    std::size_t m_index = 0; // hex data moves it over its continuation lines
    ParseResult m_result;
    bool m_headerSeen = false;
    bool m_inKey = false;
    bool m_inDeletedKey = false;
    Hive m_hive = Hive::CurrentUser;
    std::wstring m_keyPath;
};

ParseResult Parser::run()
{
    bool ok = true;
    for (m_index = 0; ok && m_index < m_lines.size(); ++m_index) {
        const int number = m_lines[m_index].number;
        const QString text = m_lines[m_index].text.trimmed();
        if (!m_headerSeen)
            ok = header(text, number);
        else if (text.isEmpty() || text.startsWith(QLatin1Char(';')))
            continue;
        else if (text.startsWith(QLatin1Char('[')))
            ok = key(text, number);
        else
            ok = value(text, number);
    }
    if (ok && !m_headerSeen)
        ok = fail(1, QStringLiteral("expected \"%1\"").arg(Header));
    m_result.ok = ok;
    if (!ok)
        m_result.operations.clear();
    return std::move(m_result);
}

bool Parser::header(const QString &text, int number)
{
    if (text.isEmpty())
        return true;
    if (text != Header)
        return fail(number, QStringLiteral("expected \"%1\"").arg(Header));
    m_headerSeen = true;
    return true;
}

bool Parser::key(const QString &text, int number)
{
    if (!text.endsWith(QLatin1Char(']')))
        return fail(number, QStringLiteral("unterminated key name"));
    QString name = text.mid(1, text.size() - 2);
    const bool deletion = name.startsWith(QLatin1Char('-'));
    if (deletion)
        name.remove(0, 1);
    const int slash = name.indexOf(QLatin1Char('\\'));
    const QString root = name.left(slash);
    if (root.compare(UserRoot, Qt::CaseInsensitive) == 0)
        m_hive = Hive::CurrentUser;
    else if (root.compare(MachineRoot, Qt::CaseInsensitive) == 0)
        m_hive = Hive::LocalMachine;
    else
        return fail(number, QStringLiteral("unknown hive \"%1\"").arg(root));
    const QString path = slash < 0 ? QString() : name.mid(slash + 1);
    if (const QString error = productPathError(path, name); !error.isEmpty())
        return fail(number, error);
    m_keyPath = path.toStdWString();
    Operation op;
    op.kind = deletion ? Operation::DeleteTree : Operation::CreateKey;
    op.hive = m_hive;
    op.path = m_keyPath;
    m_result.operations.push_back(std::move(op));
    m_inKey = true;
    m_inDeletedKey = deletion;
    return true;
}

bool Parser::value(const QString &text, int number)
{
    if (!text.startsWith(QLatin1Char('"')) && !text.startsWith(QLatin1Char('@')))
        return fail(number, QStringLiteral("expected a key or a value"));
    if (!m_inKey)
        return fail(number, QStringLiteral("value before the first key"));
    if (m_inDeletedKey)
        return fail(number, QStringLiteral("value in a deleted key"));
    QString name;
    int pos = 0;
    if (!valueName(text, number, name, pos))
        return false;
    const QString data = text.mid(pos);

    Operation op;
    op.hive = m_hive;
    op.path = m_keyPath;
    op.name = name.toStdWString();
    if (data == QLatin1String("-")) {
        op.kind = Operation::DeleteValue;
        m_result.operations.push_back(std::move(op));
        return true;
    }
    op.kind = Operation::SetValue;
    bool ok;
    if (data.startsWith(QLatin1Char('"')))
        ok = stringData(data, number, op);
    else if (data.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive))
        ok = dwordData(data, number, op);
    else if (data.startsWith(QLatin1String("hex"), Qt::CaseInsensitive))
        ok = hexData(data, number, op);
    else
        ok = fail(number, QStringLiteral("unknown value data \"%1\"").arg(data.left(20)));
    if (ok)
        m_result.operations.push_back(std::move(op));
    return ok;
}

// The name ("@" for the default value) and the '='; pos ends at the data.
bool Parser::valueName(const QString &text, int number, QString &name, int &pos)
{
    QString error;
    if (text[0] == QLatin1Char('@'))
        pos = 1;
    else if (!readQuoted(text, pos, name, error))
        return fail(number, error);
    if (name.size() > int(ztds::registry::MaxValueNameLength))
        return fail(number, QStringLiteral("value name longer than 16383 characters"));
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    if (pos >= text.size() || text[pos] != QLatin1Char('='))
        return fail(number, QStringLiteral("expected '=' after the value name"));
    ++pos;
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    return true;
}

bool Parser::stringData(const QString &data, int number, Operation &op)
{
    int at = 0;
    QString value;
    QString error;
    if (!readQuoted(data, at, value, error))
        return fail(number, error);
    if (!data.mid(at).trimmed().isEmpty())
        return fail(number, QStringLiteral("unexpected text after the string"));
    op.type = ztds::registry::RegSz;
    op.data = regSz(value);
    return true;
}

bool Parser::dwordData(const QString &data, int number, Operation &op)
{
    const QString digits = data.mid(6).trimmed();
    bool ok = digits.size() >= 1 && digits.size() <= 8;
    for (QChar c : digits)
        ok = ok && hexDigit(c) >= 0;
    if (!ok)
        return fail(number, QStringLiteral("bad dword \"%1\"").arg(digits));
    const quint32 value = digits.toUInt(nullptr, 16);
    op.type = ztds::registry::RegDword;
    op.data.resize(4);
    qToLittleEndian(value, op.data.data());
    return true;
}

bool Parser::hexData(const QString &data, int number, Operation &op)
{
    int at = 3;
    op.type = ztds::registry::RegBinary;
    if (at < data.size() && data[at] == QLatin1Char('(')) {
        const int close = data.indexOf(QLatin1Char(')'), at);
        bool ok = false;
        const QString typeText = close < 0 ? QString() : data.mid(at + 1, close - at - 1);
        const uint type = typeText.toUInt(&ok, 16);
        if (!ok || typeText.size() > 8)
            return fail(number, QStringLiteral("bad value type \"%1\"").arg(typeText));
        op.type = type;
        at = close + 1;
    }
    if (at >= data.size() || data[at] != QLatin1Char(':'))
        return fail(number, QStringLiteral("expected ':' after hex"));
    QString list = data.mid(at + 1);
    int line = number;
    while (true) {
        QString part = list.trimmed();
        const bool more = part.endsWith(QLatin1Char('\\'));
        if (more)
            part.chop(1);
        const QStringList items = part.split(QLatin1Char(','));
        for (int i = 0; i < items.size(); ++i) {
            const QString item = items[i].trimmed();
            if (item.isEmpty() && (i == items.size() - 1 || part.trimmed().isEmpty()))
                continue; // trailing comma before a continuation, or an empty list
            if (item.size() != 2 || hexDigit(item[0]) < 0 || hexDigit(item[1]) < 0)
                return fail(line, QStringLiteral("bad hex byte \"%1\"").arg(item));
            op.data += char(hexDigit(item[0]) * 16 + hexDigit(item[1]));
        }
        if (!more)
            return true;
        if (++m_index >= m_lines.size())
            return fail(line, QStringLiteral("continuation at the end of the file"));
        line = m_lines[m_index].number;
        list = m_lines[m_index].text;
    }
}

} // namespace

ParseResult parse(const QByteArray &bytes)
{
    ParseResult result;
    std::vector<Line> lines;
    if (!decodeLines(bytes, lines, result))
        return result;
    return Parser(std::move(lines)).run();
}

QString escaped(const QString &text, Escaping escaping)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        const auto *escape = std::find_if(std::begin(Escapes), std::end(Escapes),
                                          [u](const auto &x) { return x.character == u; });
        if (escape != std::end(Escapes) && !(escaping == Escaping::Display && u == u'"'))
            out += QLatin1Char('\\') + QChar(escape->letter);
        else if (escaping == Escaping::Display && (u < 0x20 || (u >= 0x7f && u < 0xa0)))
            out += QStringLiteral("\\x%1").arg(uint(u), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

namespace {

QString quoted(const QString &text)
{
    return QLatin1Char('"') + escaped(text, Escaping::RegFile) + QLatin1Char('"');
}

// A REG_SZ that reads back to the same bytes as plain text: terminated, even, no
// NUL or control character inside.
bool plainText(const std::string &data, QString &text)
{
    if (data.size() < 2 || data.size() % 2 || data[data.size() - 1] || data[data.size() - 2])
        return false;
    const std::wstring wide = ztds::registry::regSzToWide(data);
    if (ztds::registry::wideToRegSz(wide) != data)
        return false;
    for (wchar_t c : wide) {
        if (c < 0x20 || (c >= 0xD800 && c < 0xE000)) // a lone surrogate has no text form
            return false;
    }
    text = fromWide(wide);
    return true;
}

// "name"=hex(N):xx,xx,... wrapped as regedit wraps it, at 80 columns.
QString hexData(const QString &prefix, const std::string &data)
{
    QString out = prefix;
    int column = int(prefix.size());
    for (std::size_t i = 0; i < data.size(); ++i) {
        out += QStringLiteral("%1").arg(uint(static_cast<unsigned char>(data[i])), 2, 16,
                                        QLatin1Char('0'));
        column += 2;
        if (i + 1 < data.size()) {
            out += QLatin1Char(',');
            ++column;
            if (column > 76) {
                out += QLatin1String("\\\r\n  ");
                column = 2;
            }
        }
    }
    return out;
}

} // namespace

QByteArray write(Hive hive, const std::vector<Key> &keys)
{
    const QString root = hive == Hive::CurrentUser ? UserRoot : MachineRoot;
    QString text = Header + QLatin1String("\r\n\r\n");
    for (const Key &key : keys) {
        text += QLatin1Char('[') + root + QLatin1Char('\\') + fromWide(key.path)
            + QLatin1String("]\r\n");
        for (const auto &value : key.values) {
            const QString name =
                value.name.empty() ? QStringLiteral("@") : quoted(fromWide(value.name));
            QString plain;
            if (value.type == ztds::registry::RegSz && plainText(value.data, plain)) {
                text += name + QLatin1Char('=') + quoted(plain);
            } else if (value.type == ztds::registry::RegDword && value.data.size() == 4) {
                const auto v = qFromLittleEndian<quint32>(value.data.data());
                text += name + QStringLiteral("=dword:%1").arg(v, 8, 16, QLatin1Char('0'));
            } else if (value.type == ztds::registry::RegBinary) {
                text += hexData(name + QLatin1String("=hex:"), value.data);
            } else {
                text +=
                    hexData(name + QStringLiteral("=hex(%1):").arg(value.type, 0, 16), value.data);
            }
            text += QLatin1String("\r\n");
        }
        text += QLatin1String("\r\n");
    }
    QByteArray bytes(2 + 2 * text.size(), Qt::Uninitialized);
    bytes[0] = '\xFF';
    bytes[1] = '\xFE';
    qToLittleEndian<char16_t>(text.utf16(), text.size(), bytes.data() + 2);
    return bytes;
}

} // namespace ztds::registry::RegFile
