#include "GameTags.h"

#include <array>
#include <cctype>

namespace kelmarin {

const std::string* GameTags::Find(std::string_view name) const
{
    for (const auto& [tag, value] : List)
        if (SameTagName(tag, name))
            return &value;
    return nullptr;
}

bool SameTagName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(a[k])) != std::tolower(static_cast<unsigned char>(b[k])))
            return false;
    return true;
}

bool IsTagName(std::string_view name)
{
    if (name.empty() || name.size() > MaxTagNameSize)
        return false;
    for (const char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    return true;
}

bool IsWritersOwnTag(std::string_view name)
{
    static constexpr std::array<std::string_view, 3> Own = {"GameType", "SetUp", "FEN"};
    for (const std::string_view own : Own)
        if (SameTagName(name, own))
            return true;
    return false;
}

void AddTag(GameTags& tags, std::string_view name, std::string_view value)
{
    if (tags.List.size() >= MaxTagCount || !IsTagName(name) || IsWritersOwnTag(name))
        return;
    std::size_t size = value.size();
    if (size > MaxTagValueSize) {
        size = MaxTagValueSize;
        // Not inside a UTF-8 sequence: back over its continuation bytes to the byte that starts it.
        while (size > 0 && (static_cast<unsigned char>(value[size]) & 0xC0) == 0x80)
            --size;
    }
    std::string kept(value.substr(0, size));
    for (char& c : kept)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    tags.List.emplace_back(name, std::move(kept));
}

std::uint32_t StepsDigest(std::span<const TMove> steps)
{
    // FNV-1a over the count and every field, each as two bytes.
    std::uint32_t digest = 2166136261u;
    const auto mix = [&digest](std::uint32_t value, int bytes) {
        for (int k = 0; k < bytes; ++k) {
            digest ^= value >> (8 * k) & 0xFF;
            digest *= 16777619u;
        }
    };
    mix(static_cast<std::uint32_t>(steps.size()), 4);
    for (const TMove& m : steps)
        for (const std::int16_t field : {m.FromI, m.FromJ, m.ToI, m.ToJ, m.Coin, m.CapturedCoin})
            mix(static_cast<std::uint16_t>(field), 2);
    return digest;
}

} // namespace kelmarin
