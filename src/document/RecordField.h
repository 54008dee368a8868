#pragma once
// One stored field of a frame record: its name, how it is stored and where
// it lives. A kind's table may name members of the kind's own class; the
// file, the JSON dump, undo snapshots and the property panels all read the
// same table.

#include "Units.h"

#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <span>
#include <type_traits>

class TCDLFrame;
class TStreamReader;
class TStreamWriter;

enum class TFieldType : uint8_t {
    Int32,       // 4 bytes, signed
    Color,       // 4 bytes, red in the low byte
    Bool,        // 1 byte
    ShortString, // length byte and 40 characters
    Paragraphs,  // 16-bit length, the paragraphs joined by CR LF, a zero byte
    Custom,      // stored by the field's codec
};

// A stored part that is no plain value (encoded picture data, a tree of
// entries): the kind reads, writes and dumps it itself, in its place in the
// table.
struct TFieldCodec
{
    void (*Write)(const TCDLFrame &f, TStreamWriter &out);
    void (*Read)(TCDLFrame &f, TStreamReader &in);
    QJsonValue (*Json)(const TCDLFrame &f);
};

template <class T> constexpr TFieldType FieldTypeOf()
{
    if constexpr (std::is_same_v<T, int32_t>)
        return TFieldType::Int32;
    else if constexpr (std::is_same_v<T, TColor>)
        return TFieldType::Color;
    else if constexpr (std::is_same_v<T, bool>)
        return TFieldType::Bool;
    else if constexpr (std::is_same_v<T, QString>)
        return TFieldType::ShortString;
    else if constexpr (std::is_same_v<T, QStringList>)
        return TFieldType::Paragraphs;
    else
        static_assert(!sizeof(T), "no record layout for this member type");
}

struct TRecordField
{
    const char *Name;
    TFieldType Type;
    // The member in a frame of the kind whose table holds the field; null
    // for a custom field.
    void *(*Address)(TCDLFrame &);
    const TFieldCodec *Codec = nullptr;

    template <class T> T &Ref(TCDLFrame &f) const
    {
        Q_ASSERT(Type == FieldTypeOf<T>());
        return *static_cast<T *>(Address(f));
    }
    template <class T> const T &Ref(const TCDLFrame &f) const { return Ref<T>(const_cast<TCDLFrame &>(f)); }
};

// A kind's table, with the straight code made from it (RecordCode.h) when
// the kind has it: the whole record written or read without a dispatch on
// each field. Without it the table is read and written field by field.
class TRecordLayout : public std::span<const TRecordField>
{
public:
    // The record with its head under tag; the body, the reader being behind
    // the head.
    using TWrite = void (*)(const TCDLFrame &f, TStreamWriter &out, uint16_t tag);
    using TRead = void (*)(TCDLFrame &f, TStreamReader &in);

    constexpr TRecordLayout() = default;
    template <std::size_t N> constexpr TRecordLayout(const TRecordField (&fields)[N]) : span(fields) {}
    constexpr TRecordLayout(std::span<const TRecordField> fields, TWrite write = nullptr, TRead read = nullptr)
        : span(fields), Write(write), Read(read)
    {
    }

    TWrite Write = nullptr;
    TRead Read = nullptr;
};

namespace RecordFieldDetail {

template <class M> struct TMember;
template <class K, class T> struct TMember<T K::*>
{
    using Kind = K;
    using Type = T;
};

template <auto M> void *AddressOf(TCDLFrame &f)
{
    using K = typename TMember<decltype(M)>::Kind;
    // Tables belong to their kind, so f is always a K.
    Q_ASSERT(dynamic_cast<K *>(&f));
    return &(static_cast<K &>(f).*M);
}

} // namespace RecordFieldDetail

// Field<&TCDLText::FontName>("FontName"): the member of the kind's class (or
// of any class it derives from) and its stored form, from its C++ type.
template <auto M> constexpr TRecordField Field(const char *name)
{
    using T = typename RecordFieldDetail::TMember<decltype(M)>::Type;
    return {name, FieldTypeOf<T>(), &RecordFieldDetail::AddressOf<M>};
}

constexpr TRecordField CustomField(const char *name, const TFieldCodec &codec)
{
    return {name, TFieldType::Custom, nullptr, &codec};
}

// The usual case: the stored name is the member's name.
#define QM_FIELD(Class, Member) Field<&Class::Member>(#Member)
