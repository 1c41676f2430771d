#pragma once
// A small fixed-size memo of converted texts for one archive: a file repeats
// a few texts thousands of times (variable names, font names, remarks), and
// each is then converted once and shared. One slot per hash of the key, the
// newest text wins its slot, so the memo never grows and a lookup is one
// short hash and one comparison. Short keys only: long texts seldom repeat.
// Byte keys are copied into their slot, so that a lookup touches only the
// memo and never the place, far back in a large file, where the text was
// read first.

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

namespace platform {

template <typename Key, typename Value>
class TextMemo {
public:
    // Longest key kept, in its code units.
    static constexpr qsizetype kMaxKeyUnits = 48;

    const Value* find(const Key& key) const
    {
        if (m_slots.empty() || key.size() > kMaxKeyUnits)
            return nullptr;
        const Slot& slot = m_slots[slotOf(key)];
        return slot.used && same(slot.key, key) ? &slot.value : nullptr;
    }

    void keep(const Key& key, const Value& value)
    {
        if (key.size() > kMaxKeyUnits)
            return;
        // An archive of a few texts never pays for the slots.
        if (m_slots.empty() && ++m_misses < kMissesBeforeSlots)
            return;
        if (m_slots.empty())
            m_slots.resize(kSlots);
        Slot& slot = m_slots[slotOf(key)];
        store(slot.key, key);
        slot.value = value;
        slot.used = true;
    }

private:
    static constexpr std::size_t kSlots = 1024;
    static constexpr int kMissesBeforeSlots = 16;

    // A byte key as its slot holds it: the bytes themselves.
    struct Bytes {
        qsizetype size = 0;
        char data[kMaxKeyUnits];
    };
    using Stored = std::conditional_t<std::is_same_v<Key, QByteArrayView>, Bytes, Key>;

    static bool same(const Bytes& stored, QByteArrayView key)
    {
        return stored.size == key.size()
            && std::memcmp(stored.data, key.data(), std::size_t(key.size())) == 0;
    }
    static void store(Bytes& stored, QByteArrayView key)
    {
        stored.size = key.size();
        std::memcpy(stored.data, key.data(), std::size_t(key.size()));
    }
    template <typename K>
    static bool same(const K& stored, const K& key) { return stored == key; }
    template <typename K>
    static void store(K& stored, const K& key) { stored = key; }

    struct Slot {
        Stored key;
        Value value;
        bool used = false;
    };

    // FNV-1a over the key's bytes.
    static std::size_t slotOf(const Key& key)
    {
        const auto* p = reinterpret_cast<const unsigned char*>(key.constData());
        const auto* end = p + key.size() * qsizetype(sizeof(*key.constData()));
        std::uint32_t h = 2166136261u;
        for (; p != end; ++p)
            h = (h ^ *p) * 16777619u;
        return (h ^ (h >> 16)) % kSlots;
    }

    std::vector<Slot> m_slots;
    int m_misses = 0;
};

} // namespace platform
