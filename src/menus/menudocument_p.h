// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

// What the menu reader and the shortcut reader share of the document vocabulary:
// typed values, shortcut contexts, translated names, and the plug-in methods
// that signatures with Qt's code prefix name.

#include <QCoreApplication>
#include <QMetaMethod>
#include <QStringEncoder>
#include <QVarLengthArray>
#include <QVariant>

#include <optional>
#include <utility>

namespace Quorvex::MenuDocument {

// The type attribute of a value, looked up once at the element.
enum class ValueType { Text, Float, Double, Int16, UInt16, Int32, UInt32, Int64, UInt64 };

inline ValueType valueTypeOf(QStringView type)
{
    static constexpr std::pair<QStringView, ValueType> types[] = {
        {u"float", ValueType::Float}, {u"double", ValueType::Double},
        {u"int16", ValueType::Int16}, {u"uint16", ValueType::UInt16},
        {u"int32", ValueType::Int32}, {u"uint32", ValueType::UInt32},
        {u"int64", ValueType::Int64}, {u"uint64", ValueType::UInt64},
    };
    for (const auto &[name, value] : types) {
        if (type == name)
            return value;
    }
    return ValueType::Text;
}

// Base 10; a failed conversion gives 0, as the success flag is not asked for.
inline QVariant typedValue(ValueType type, QStringView text)
{
    switch (type) {
    case ValueType::Float:
        return QVariant(double(text.toFloat()));
    case ValueType::Double:
        return QVariant(text.toDouble());
    case ValueType::Int16:
        return QVariant(int(text.toShort()));
    case ValueType::UInt16:
        return QVariant(int(text.toUShort()));
    case ValueType::Int32:
        return QVariant(text.toInt());
    case ValueType::UInt32:
        return QVariant(text.toUInt());
    case ValueType::Int64:
        return QVariant(text.toLongLong());
    case ValueType::UInt64:
        return QVariant(text.toULongLong());
    case ValueType::Text:
        break;
    }
    return QVariant(text.toString());
}

// Any other value leaves Qt's default.
inline std::optional<Qt::ShortcutContext> shortcutContextOf(QStringView context)
{
    if (context == u"widget")
        return Qt::WidgetShortcut;
    if (context == u"window")
        return Qt::WindowShortcut;
    if (context == u"application")
        return Qt::ApplicationShortcut;
    if (context == u"widgetAndChildren")
        return Qt::WidgetWithChildrenShortcut;
    return std::nullopt;
}

// The source text is UTF-8, as translate() wants it; names are short enough for
// the stack.
inline QString translate(const QByteArray &context, QStringView text, const char *disambiguation)
{
    QStringEncoder encoder(QStringEncoder::Utf8);
    QVarLengthArray<char, 256> source(encoder.requiredSpace(text.size()) + 1);
    char *end = encoder.appendToBuffer(source.data(), text);
    *end = '\0';
    return QCoreApplication::translate(context.constData(), source.constData(), disambiguation);
}

// The method that a signature with Qt's code prefix names ("1" a slot, "2" a
// signal), as a string-based connect would find it; invalid when there is none.
inline QMetaMethod findMethod(const QObject *object, QStringView signature)
{
    const QByteArray normalized =
        QMetaObject::normalizedSignature(signature.mid(1).toLatin1().constData());
    const QMetaObject *meta = object->metaObject();
    int index = -1;
    if (signature.startsWith(u'1'))
        index = meta->indexOfSlot(normalized.constData());
    else if (signature.startsWith(u'2'))
        index = meta->indexOfSignal(normalized.constData());
    return index < 0 ? QMetaMethod() : meta->method(index);
}

} // namespace Quorvex::MenuDocument
