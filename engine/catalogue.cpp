#include "catalogue.h"

#include <cctype>

namespace lumetra {

namespace {

bool IsSlugChar(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9'); }

char Lower(char ch) { return static_cast<char>(std::tolower(static_cast<unsigned char>(ch))); }

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

std::string Slugify(std::string_view text)
{
    std::string slug;
    bool pendingHyphen = false;
    for (char ch : text) {
        const char c = Lower(ch);
        if (!IsSlugChar(c)) {
            pendingHyphen = !slug.empty();
            continue;
        }
        if (pendingHyphen) slug += '-';
        pendingHyphen = false;
        slug += c;
    }
    return slug;
}

std::optional<int> ParseSlotNumber(std::string_view text)
{
    if (text.empty() || text.size() > 3) return std::nullopt;
    int value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9') return std::nullopt;
        value = value * 10 + (ch - '0');
    }
    if (value >= kSlotCount) return std::nullopt;
    return value;
}

}  // namespace

std::string EffectSlug(int slot)
{
    if (slot < 0 || slot >= kSlotCount) return {};
    return Slugify(kCatalogue[slot].name);
}

std::optional<int> FindEffectSlot(std::string_view numberOrName)
{
    if (auto number = ParseSlotNumber(numberOrName)) return number;
    for (const EffectInfo& effect : kCatalogue) {
        if (EqualIgnoringCase(numberOrName, effect.name) || EqualIgnoringCase(numberOrName, EffectSlug(effect.slot)))
            return effect.slot;
    }
    return std::nullopt;
}

}  // namespace lumetra
